#include "ui/widgets/ColorScheme.h"

#include "ui/widgets/SystemColors.h"

#include <QWidget>
#include <utility>

namespace {

// The window property that marks the high-contrast scheme, and the one that
// keeps a panel's standard fill while it shows the other.
const char *const kHighContrast = "tamselHighContrast";
const char *const kStandardFill = "tamselStandardFill";
const char *const kStandardBase = "tamselStandardBase";

// The high-contrast stand-ins, each for a standard colour of the same meaning.
const QColor kPanelBlack(0, 0, 0);
const QColor kLightRed(255, 96, 96);        // the worst levels and a broken room
const QColor kDeepRed(176, 0, 0);           // a red caption on a white face
const QColor kDeepBlue(0, 0, 160);          // a blue caption on an orange face
const QColor kLightBlueFace(128, 160, 255); // a blue face under a black caption
const QColor kFloorFace(0, 64, 160);        // the floor button under its yellow caption
const QColor kToolFace(64, 64, 160);        // the room tools under their yellow captions

QColor Replace(const QColor &color, std::initializer_list<std::pair<QColor, QColor>> replacements)
{
    for (const auto &[from, to] : replacements)
        if (color.rgb() == from.rgb())
            return to;
    return color;
}

} // namespace

bool TColorScheme::HighContrast(const QWidget *widget)
{
    const QWidget *window = widget ? widget->window() : nullptr;
    return window && window->property(kHighContrast).toBool();
}

void TColorScheme::SetHighContrast(QWidget *window, bool on)
{
    window->setProperty(kHighContrast, on);
    QList<QWidget *> widgets = window->findChildren<QWidget *>();
    widgets.prepend(window);
    for (QWidget *widget : widgets) {
        if (widget->window() != window)
            continue; // another top-level window keeps its own scheme
        // Only widgets with colours of their own; the others take their parent's.
        if (widget->testAttribute(Qt::WA_SetPalette)) {
            QPalette palette = widget->palette();
            for (const auto &[role, property] : {std::pair{QPalette::Window, kStandardFill},
                                                 std::pair{QPalette::Base, kStandardBase}}) {
                QVariant standard = widget->property(property);
                if (!standard.isValid()) {
                    standard = palette.color(role);
                    widget->setProperty(property, standard);
                }
                palette.setColor(role, PanelFill(standard.value<QColor>(), on));
            }
            widget->setPalette(palette);
        }
        widget->update();
    }
}

QColor TColorScheme::LabelText(const QColor &color, bool highContrast)
{
    if (!highContrast)
        return color;
    return Replace(color, {{clMaroon, kLightRed}, {clBlack, clWhite}});
}

QColor TColorScheme::PanelFill(const QColor &color, bool highContrast)
{
    if (!highContrast)
        return color;
    return Replace(color, {{clGray, kPanelBlack}});
}

QColor TColorScheme::ButtonFace(const QColor &color, bool highContrast)
{
    if (!highContrast)
        return color;
    return Replace(color, {{clBlue, kLightBlueFace},
                           {QColor(0, 128, 255), kFloorFace},
                           {QColor(128, 128, 255), kToolFace}});
}

QColor TColorScheme::ButtonCaption(const QColor &color, bool highContrast)
{
    if (!highContrast)
        return color;
    return Replace(color, {{clRed, kDeepRed}, {clBlue, kDeepBlue}});
}
