#include "forms/FormWiring.h"

#include "common/Errors.h"
#include "forms/ControlConfig.h"
#include "forms/ObjectForm.h"
#include "forms/ObjectFormHandlers.h"

#include <QFileInfo>

namespace kvt {
namespace {
const QString kTitleKey = QStringLiteral("Заголовок для журнала");
const QString kTimeMarker = QStringLiteral("(H:M)");
const QString kCoordinateMarker = QStringLiteral("(G:M)");
constexpr int kFirstTab = 0;
} // namespace

void FormWiring::wire(ObjectForm& form, ControlConfig& config)
{
    click_.clear();
    doubleClick_.clear();
    change_.clear();
    for (FormControl* control : form.controls()) {
        switch (control->kind()) {
        case ControlKind::CommandButton:
            click_[control] = control->helpContext() == kSpecialCommandMarker ? FormHandler::SpeedButton3Click
                                                                               : FormHandler::Send_Pusk_ButtonClick;
            break;
        case ControlKind::PageSwitch:
            change_[control] = true;
            if (control->tabs().isEmpty())
                throw KvtError(QStringLiteral("List index out of bounds (0): page switch %1 has no tabs").arg(control->name()));
            selectTab(*control, kFirstTab);
            break;
        case ControlKind::SettingBox: {
            ParseControlConfig(*control, config);
            const QString title = config.value(kTitleKey);
            if (title.contains(kTimeMarker))
                doubleClick_[control] = FormHandler::SpinEdit2DblClick;
            if (title.contains(kCoordinateMarker))
                doubleClick_[control] = FormHandler::SpinEdit3DblClick;
            break;
        }
        default:
            break;
        }
    }
}

std::optional<FormHandler> FormWiring::clickHandler(const FormControl& control) const
{
    const auto it = click_.constFind(&control);
    return it == click_.constEnd() ? std::nullopt : std::optional(*it);
}

std::optional<FormHandler> FormWiring::doubleClickHandler(const FormControl& control) const
{
    const auto it = doubleClick_.constFind(&control);
    return it == doubleClick_.constEnd() ? std::nullopt : std::optional(*it);
}

bool FormWiring::hasChangeHandler(const FormControl& control) const
{
    return change_.value(&control, false);
}

void FormWiring::click(FormControl& control)
{
    if (!control.isEnabled())
        return;
    const auto handler = clickHandler(control);
    if (handler == FormHandler::SpeedButton3Click)
        handlers_.SpeedButton3Click(control);
    else if (handler == FormHandler::Send_Pusk_ButtonClick)
        handlers_.Send_Pusk_ButtonClick(control);
}

void FormWiring::doubleClick(FormControl& control)
{
    const auto handler = doubleClickHandler(control);
    if (handler == FormHandler::SpinEdit2DblClick)
        handlers_.SpinEdit2DblClick(control);
    else if (handler == FormHandler::SpinEdit3DblClick)
        handlers_.SpinEdit3DblClick(control);
}

void FormWiring::selectTab(FormControl& pageSwitch, int newTab)
{
    if (newTab == pageSwitch.tabIndex() || newTab < 0 || newTab >= pageSwitch.tabs().size())
        return;
    bool allowChange = true;
    if (hasChangeHandler(pageSwitch))
        handlers_.TabSet1Change(pageSwitch, newTab, allowChange);
    if (allowChange)
        pageSwitch.setTabIndex(newTab);
}

int CentreOffset(int outerExtent, int innerExtent)
{
    const int difference = outerExtent - innerExtent;
    return difference < 0 ? 0 : (difference + 1) / 2;
}

std::optional<QString> ResolveObjectFormPath(const QString& path, const QString& programDirectory)
{
    if (path.isEmpty())
        return std::nullopt;
    if (QFileInfo(path).isFile())
        return path;
    // Paths stored on the dispatch computer may use backslashes.
    const QString slashed = QString(path).replace(u'\\', u'/');
    if (QFileInfo(slashed).isFile())
        return slashed;
    QString inProgram = programDirectory;
    if (!inProgram.isEmpty() && !inProgram.endsWith(u'/'))
        inProgram += u'/';
    inProgram += slashed;
    if (QFileInfo(inProgram).isFile())
        return inProgram;
    return std::nullopt;
}

} // namespace kvt
