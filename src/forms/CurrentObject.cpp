#include "forms/CurrentObject.h"

#include "common/Errors.h"
#include "common/OperatorNotices.h"
#include "forms/FormWiring.h"
#include "forms/ObjectForm.h"

#include <algorithm>
#include <stdexcept>

namespace kvt {

namespace {
constexpr int kSchemePage = 0;
constexpr int kSecondTab = 1;

FormControl* firstPageSwitch(const ObjectForm& form)
{
    const auto& controls = form.controls();
    const auto found = std::find_if(controls.begin(), controls.end(), [](const FormControl* control) {
        return control->kind() == ControlKind::PageSwitch;
    });
    return found == controls.end() ? nullptr : *found;
}
} // namespace

const QString CurrentObject::kNoObjectChosen = QStringLiteral("Необходимо выбрать объект из списка объектов");
const QString CurrentObject::kNoSettingsPage = QStringLiteral("Объект не имеет установок");

CurrentObject::CurrentObject(QString programDirectory, OperatorNotices& notices, QObject* parent)
    : QObject(parent), programDirectory_(std::move(programDirectory)), notices_(notices)
{
}

CurrentObject::~CurrentObject() = default;

void CurrentObject::clear()
{
    // The observers let go of the old form before it goes.
    const std::unique_ptr<FormWiring> oldWiring = std::move(wiring_);
    const std::unique_ptr<ObjectForm> oldForm = std::move(form_);
    blinkLit_ = true;
    emit formChanged();
}

void CurrentObject::LoadObjectForm(const QString& path)
{
    if (!handlers_)
        throw std::logic_error("the object form handlers are not set");
    clear();
    const std::optional<QString> file = ResolveObjectFormPath(path, programDirectory_);
    if (!file) {
        notices_.notice(kFormFileNotFoundMessage);
        return;
    }
    form_ = ObjectForm::FromFile(*file);
    wiring_ = std::make_unique<FormWiring>(*handlers_);
    emit formChanged();
    wiring_->wire(*form_, controlConfig_);
}

void CurrentObject::setSecondTabCaption(const QString& caption)
{
    if (!form_)
        return;
    FormControl* pageSwitch = firstPageSwitch(*form_);
    if (!pageSwitch)
        return;
    QStringList tabs = pageSwitch->tabs();
    if (tabs.size() <= kSecondTab)
        throw KvtError(QStringLiteral("Переключатель страниц %1 не имеет второй вкладки").arg(pageSwitch->name()));
    tabs[kSecondTab] = caption;
    pageSwitch->setTabs(tabs);
}

void CurrentObject::showPage(int page)
{
    if (!form_) {
        notices_.notice(kNoObjectChosen);
        return;
    }
    FormControl* pageSwitch = firstPageSwitch(*form_);
    if (!pageSwitch) {
        if (page > kSchemePage)
            notices_.notice(kNoSettingsPage);
        return;
    }
    if (page >= pageSwitch->tabs().size())
        throw KvtError(
            QStringLiteral("Вкладка %1 отсутствует у переключателя страниц %2").arg(page).arg(pageSwitch->name()));
    wiring_->selectTab(*pageSwitch, page);
}

void CurrentObject::toggleBlinkPhase()
{
    if (!form_)
        return;
    blinkLit_ = !blinkLit_;
    for (FormControl* control : form_->controls()) {
        if (IsBlinkingLamp(*control))
            control->setOn(blinkLit_);
    }
    emit blinkPhaseChanged(blinkLit_);
}

void CurrentObject::showStateLine(const QString& text)
{
    stateLine_ = text;
    emit stateLineChanged(text);
}

void CurrentObject::showLinkCheckLine(const QString& text)
{
    linkCheckLine_ = text;
    emit linkCheckLineChanged(text);
}

} // namespace kvt
