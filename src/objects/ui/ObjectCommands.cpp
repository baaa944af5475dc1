#include "objects/ui/ObjectCommands.h"

#include "common/Confirmation.h"
#include "common/ErrorHandler.h"
#include "common/EventSink.h"
#include "common/OperatorNotices.h"
#include "common/SupervisionPause.h"
#include "forms/CurrentObject.h"
#include "objects/ui/AddNewObjectForm.h"
#include "store/ChannelAddresses.h"
#include "store/Registry.h"
#include "objects/ui/RegistryPorts.h"
#include "objects/ui/RegistryTrees.h"

#include <QFileDialog>

namespace kvt::registry {

namespace {
const QString kAddTitle = QStringLiteral("Добавление объекта");
const QString kEditTitle = QStringLiteral("Изменение объекта");
const QString kRemoveTitle = QStringLiteral("Удаление объекта");
const QString kHistoryTitle = QStringLiteral("Удаление истории");
constexpr QChar kQuote = QLatin1Char('"');

QString tooLong(const QString& field, int limit)
{
    return QStringLiteral("Поле \"%1\" не может быть длиннее %2 символов.").arg(field).arg(limit);
}
} // namespace

ObjectCommands::ObjectCommands(Registry& registry, RegistryTrees& trees, ChannelAddresses& addresses,
                               AddNewObjectForm& window, RegistryServices services, QObject* parent)
    : QObject(parent),
      registry_(registry),
      trees_(trees),
      addresses_(addresses),
      window_(window),
      services_(std::move(services)),
      runModal_([](AddNewObjectForm& w) { w.exec(); }),
      chooseFile_([](AddNewObjectForm& w) {
          return QFileDialog::getOpenFileName(&w, QString(), QString(), AddNewObjectForm::kFileFilter);
      })
{
    connect(&window_, &AddNewObjectForm::addClicked, this, [this] { Guarded([&] { Apply_New_Object_ButtonClick(); }); });
    connect(&window_, &AddNewObjectForm::editClicked, this, [this] { Guarded([&] { Apply_Edit_Object_ButtonClick(); }); });
    connect(&window_, &AddNewObjectForm::browseClicked, this, [this] { Guarded([&] { SpeedButton1Click(); }); });
    connect(&window_, &QDialog::finished, this, [this] { windowClosed(); });
}

void ObjectCommands::showWindow()
{
    services_.pause->set(true);
    runModal_(window_);
}

void ObjectCommands::windowClosed()
{
    draft_.reset();
    services_.pause->set(false);
}

void ObjectCommands::Add_New_Object_ButtonClick()
{
    window_.setMode(AddNewObjectForm::Mode::Add);
    window_.setDh(QString());
    window_.setDl(QString());
    ObjectTable& table = registry_.objects();
    table.setIndexFieldNames(kKodO);
    ObjectRecord row;
    row.Kod_O = table.NextFreeCode();
    draft_ = row;
    window_.setName(row.Name_O);
    window_.setPhone(row.Phone_O);
    window_.setPath(row.Adres_O);
    // A new object starts without an RS-485 address rather than with the one last shown.
    window_.setRs485Address(QString());
    showWindow();
}

bool ObjectCommands::fieldsFit()
{
    const struct {
        QString label;
        QString text;
        int limit;
    } fields[] = {{QStringLiteral("Название объекта"), window_.name(), kNameLength},
                  {QStringLiteral("Путь к файлу"), window_.path(), kAdresLength},
                  {QStringLiteral("Номер телефона"), window_.phone(), kPhoneLength}};
    for (const auto& field : fields) {
        if (field.text.size() > field.limit) {
            services_.notices->information(tooLong(field.label, field.limit));
            return false;
        }
    }
    return true;
}

void ObjectCommands::Apply_New_Object_ButtonClick()
{
    if (!draft_)
        return;
    if (window_.name().isEmpty() || window_.phone().isEmpty() || window_.path().isEmpty()) {
        services_.notices->information(kFillAllFields);
        return;
    }
    if (!fieldsFit())
        return;
    services_.events->LogEvent(kAddTitle, window_.name(), EventColour::White);
    ObjectRecord row = *draft_;
    row.Name_O = window_.name();
    row.Phone_O = window_.phone();
    row.Adres_O = window_.path();
    row.Time_Ring = kEmptyStamp;
    row.Date_SMS = kEmptyStamp;
    row.Proverca_S = kNoCheckInterval;
    registry_.objects().append(row);
    draft_.reset();
    const QString code = QString::number(row.Kod_O);
    addresses_.WriteRadioAddress(code, window_.dh(), window_.dl());
    addresses_.WriteRs485Address(code, window_.rs485Address());
    emit objectsChanged();
    trees_.BuildObjectTree();
    trees_.expandObjectTree();
    services_.host->applyHistoryHeightRule();
    services_.current->LoadObjectForm(window_.path());
    window_.accept();
}

void ObjectCommands::Destruction_Object_ButtonClick()
{
    trees_.objectTree()->setFocus();
    const QModelIndex node = trees_.selectedObjectNode();
    // The root is told by its image, as the tree shows it.
    if (!node.isValid() || trees_.objectModel().node(node).imageIndex == ObjectTreeModel::kRootImage)
        return;
    ObjectTable& table = registry_.objects();
    if (!table.locateByName(trees_.objectModel().node(node).text)) {
        services_.notices->information(kCannotLocate);
        return;
    }
    const ObjectRecord row = table.currentRow();
    const QString code = QString::number(row.Kod_O);
    const RadioAddress radio = addresses_.ReadRadioAddress(code);
    window_.setDh(radio.DH);
    window_.setDl(radio.DL);
    window_.setRs485Address(addresses_.ReadRs485Address(code));
    window_.setMode(AddNewObjectForm::Mode::Edit);
    draft_ = row;
    window_.setName(row.Name_O);
    window_.setPhone(row.Phone_O);
    window_.setPath(row.Adres_O);
    showWindow();
}

void ObjectCommands::Apply_Edit_Object_ButtonClick()
{
    if (!draft_ || !fieldsFit())
        return;
    const ObjectRecord before = *draft_;
    services_.events->LogEvent(kEditTitle, window_.name(), EventColour::White);
    ObjectTreeModel& objects = trees_.objectModel();
    objects.setText(objects.findText(before.Name_O), window_.name());
    trees_.historyModel().setRootText(window_.name());
    trees_.historyTree()->viewport()->update();

    const QString code = QString::number(before.Kod_O);
    addresses_.DeleteRadioAddress(code);
    addresses_.WriteRadioAddress(code, window_.dh(), window_.dl());
    addresses_.DeleteRs485Address(code);
    addresses_.WriteRs485Address(code, window_.rs485Address());

    // The edited row is posted even when a receive has moved the table meanwhile.
    ObjectTable& table = registry_.objects();
    if (!table.locateByCode(before.Kod_O))
        throw StoreError(QStringLiteral("Запись объекта %1 не найдена").arg(before.Kod_O));
    table.editCurrent([&](ObjectRecord& row) {
        row.Name_O = window_.name();
        row.Phone_O = window_.phone();
        row.Adres_O = window_.path();
    });
    draft_.reset();
    emit objectsChanged();
    services_.current->LoadObjectForm(window_.path());
    trees_.BuildObjectTree();
    trees_.expandObjectTree();
    window_.accept();
}

void ObjectCommands::Button1Click()
{
    window_.reject();
}

void ObjectCommands::SpeedButton1Click()
{
    const QString file = chooseFile_(window_);
    if (!file.isEmpty())
        window_.setPath(file);
}

void ObjectCommands::Remove_Object_ButtonClick()
{
    trees_.objectTree()->setFocus();
    const QModelIndex node = trees_.selectedObjectNode();
    ObjectTreeModel& objects = trees_.objectModel();
    if (node.isValid() && !objects.isRoot(node)) {
        const QString name = objects.node(node).text;
        if (services_.confirmation->confirm(kConfirmRemoval + kQuote + name + kQuote)) {
            services_.events->LogEvent(kRemoveTitle, name, EventColour::White);
            ObjectTable& table = registry_.objects();
            // Without its row nothing is deleted: the table would stand on another object.
            if (table.locateByName(name)) {
                addresses_.DeleteRadioAddress(QString::number(table.currentRow().Kod_O));
                registry_.removeCurrentObject();
                emit objectsChanged();
                const int row = node.row();
                trees_.rebuildQuietly(trees_.objectTree(), [&] { objects.removeChild(row); });
            }
        }
    }
    trees_.clearHistory();
    trees_.historyModel().setRootText(QString());
    services_.host->applyHistoryHeightRule();
}

void ObjectCommands::SpeedButton_Arhive_DBClick()
{
    if (!services_.confirmation->confirm(kConfirmHistoryRemoval))
        return;
    services_.events->LogEvent(kHistoryTitle, QString(), EventColour::White);
    registry_.DeleteAllHistory();
    trees_.collapseTrees();
    trees_.clearHistory();
}

} // namespace kvt::registry
