# Writes SITE/sw.js from TEMPLATE: the list of the site's files to cache, and a cache name
# made from their contents.
#   cmake -DSITE=... -DTEMPLATE=... -P stamp_service_worker.cmake
file(GLOB site_files RELATIVE ${SITE} ${SITE}/*)
# The page is cached once, as the folder's own address './'.
list(REMOVE_ITEM site_files sw.js index.html)
list(SORT site_files)
file(SHA256 ${SITE}/index.html digest)
set(digests "index.html ${digest}\n")
set(PELIO_SITE_FILES "./")
foreach(file IN LISTS site_files)
    file(SHA256 ${SITE}/${file} digest)
    string(APPEND digests "${file} ${digest}\n")
    string(APPEND PELIO_SITE_FILES " ./${file}")
endforeach()
string(SHA256 build "${digests}")
string(SUBSTRING ${build} 0 16 build)
set(PELIO_CACHE_NAME "pelio-${build}")
configure_file(${TEMPLATE} ${SITE}/sw.js @ONLY)
