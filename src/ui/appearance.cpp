#include "ui/appearance.h"

#include "layout/window_layout.h"
#include "ui/qt_text.h"

#include <QApplication>
#include <QFontDatabase>
#include <QIconEngine>
#include <QLibraryInfo>
#include <QLocale>
#include <QPainter>
#include <QPointer>
#include <QProxyStyle>
#include <QStringList>
#include <QStyleFactory>
#include <QStyleOption>
#include <QTranslator>

#include <array>
#include <cmath>
#include <map>

namespace pelio::ui {
namespace {

// An icon of the style that is made only when something asks what it looks like.
class DeferredStandardIcon : public QIconEngine {
public:
    DeferredStandardIcon(QStyle* style, QStyle::StandardPixmap which)
        : style_(style)
        , which_(which) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override {
        return icon().pixmap(size, scale, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return icon().availableSizes(mode, state);
    }
    // The style has every standard icon; asking must not make it.
    bool isNull() override { return made_ && icon_.isNull(); }
    QIconEngine* clone() const override { return new DeferredStandardIcon(style_, which_); }

private:
    const QIcon& icon() {
        if (!made_ && style_) {
            made_ = true;
            icon_ = style_->standardIcon(which_);
        }
        return icon_;
    }

    QPointer<QStyle> style_;
    QStyle::StandardPixmap which_;
    QIcon icon_;
    bool made_ = false;
};

// Fusion, with five changes for a black window driven from the keyboard.
class PelioStyle : public QProxyStyle {
public:
    PelioStyle()
        : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

    // Fusion's check box puts 20 pixels of indicator and spacing before the caption; the
    // layout leaves room for the 17 of a classic desktop check box and no more.
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        switch (metric) {
        case PM_IndicatorWidth:
        case PM_IndicatorHeight:
            return layout::kFlagBoxPixels;
        case PM_CheckBoxLabelSpacing:
            return 4;
        default:
            return QProxyStyle::pixelMetric(metric, option, widget);
        }
    }

    // Fusion marks a menu bar item only while its menu is open, and these items have no
    // menu: Alt or F10 would select 終了 with nothing on screen to show it.
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
        const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
        if (element == CE_MenuBarItem && item && (item->state & State_Selected)) {
            QStyleOptionMenuItem selected = *item;
            selected.state |= State_Sunken;
            QProxyStyle::drawControl(element, &selected, painter, widget);
            return;
        }
        QProxyStyle::drawControl(element, option, painter, widget);
        // Fusion marks a focused push button by a faint tint of its frame, and only after a key
        // has moved focus: the version dialog's only button looked the same focused or not.
        if (element == CE_PushButton && (option->state & State_HasFocus)) {
            painter->save();
            painter->setPen(QPen(option->palette.color(QPalette::ButtonText), 2));
            painter->drawRect(QRectF(option->rect).adjusted(3, 3, -3, -3));
            painter->restore();
        }
    }

    // A menu bar makes its overflow button, with this icon, as it is built; the window's two
    // items never overflow, and fetching the icon took 2 % of start-up.
    QIcon standardIcon(StandardPixmap which, const QStyleOption* option,
                       const QWidget* widget) const override {
        if (which == SP_ToolBarHorizontalExtensionButton)
            return QIcon(new DeferredStandardIcon(baseStyle(), which));
        return QProxyStyle::standardIcon(which, option, widget);
    }

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override {
        if (element == PE_IndicatorCheckBox)
            drawCheckBoxSquare(option, painter, widget);
        else if (element == PE_FrameFocusRect)
            drawFocusFrame(option, painter);
        else
            QProxyStyle::drawPrimitive(element, option, painter, widget);
    }

private:
    // Fusion's focus frame is a faint shade of the highlight, about 1.3:1 on black, and shows
    // only once a key has moved focus; but a key acts on the focused control however focus
    // came there, a click or a shortcut included. A line in the text colour stands out on any
    // background the text itself stands out on.
    static void drawFocusFrame(const QStyleOption* option, QPainter* painter) {
        painter->save();
        painter->setPen(option->palette.color(QPalette::WindowText));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
        painter->restore();
    }

    static constexpr std::array<QPalette::ColorRole, 5> kSquareColours{
        QPalette::Window, QPalette::WindowText, QPalette::Base, QPalette::Text,
        QPalette::Highlight};
    struct SquareLook {
        QStyle::State::Int state;
        int width, height, ratio;
        qreal dpi;
        std::array<QRgb, kSquareColours.size()> colours{};
        auto operator<=>(const SquareLook&) const = default;
    };
    mutable std::map<SquareLook, QPixmap> squares_;

    // Fusion paints a check box's square with a gradient each time, and the window shows 23
    // alike at once: they were 1.2 million instructions of the first frame. Each look is
    // painted once and copied after that; the square is opaque, so the copy is the very pixels
    // Fusion paints.
    void drawCheckBoxSquare(const QStyleOption* option, QPainter* painter,
                            const QWidget* widget) const {
        const auto* box = qstyleoption_cast<const QStyleOptionButton*>(option);
        const qreal ratio = painter->device()->devicePixelRatio();
        if (!box || ratio != std::round(ratio)) {
            QProxyStyle::drawPrimitive(PE_IndicatorCheckBox, option, painter, widget);
            return;
        }
        // Everything Fusion draws it from.
        SquareLook look{box->state.toInt(), box->rect.width(), box->rect.height(),
                        static_cast<int>(ratio), box->fontMetrics.fontDpi()};
        for (std::size_t i = 0; i < kSquareColours.size(); ++i)
            look.colours[i] = box->palette.color(kSquareColours[i]).rgba();

        QPixmap& square = squares_[look];
        if (square.isNull()) {
            square = QPixmap(box->rect.size() * ratio);
            square.setDevicePixelRatio(ratio);
            square.fill(Qt::transparent);
            QStyleOptionButton atOrigin = *box;
            atOrigin.rect.moveTo(0, 0);
            QPainter squarePainter(&square);
            QProxyStyle::drawPrimitive(PE_IndicatorCheckBox, &atOrigin, &squarePainter, widget);
        }
        painter->drawPixmap(box->rect.topLeft(), square);
    }
};

} // namespace

QFont applicationFont() {
    // The layout's families that are installed, in its order, then any other Japanese one.
    QStringList families;
    const QStringList installed = QFontDatabase::families(QFontDatabase::Japanese);
    for (std::u16string_view family : layout::kFontFamilies)
        if (installed.contains(qs(family)))
            families << qs(family);
    for (const QString& family : installed)
        if (!families.contains(family))
            families << family;

    QFont font;
    if (!families.isEmpty())
        font.setFamilies(families);
    font.setPixelSize(layout::kFontPixels);
    return font;
}

void applyAppearance() {
    QApplication::setStyle(new PelioStyle);
    QApplication::setFont(applicationFont());

    // The toolkit's own texts, such as the memo box's context menu, in Japanese like the
    // rest of the window, whatever the system's language.
    auto* translator = new QTranslator(qApp);
    if (translator->load(QLocale(QLocale::Japanese), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}

} // namespace pelio::ui
