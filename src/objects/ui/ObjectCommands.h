#pragma once

#include "store/ObjectRecord.h"
#include "objects/ui/RegistryServices.h"

#include <QObject>

#include <functional>
#include <optional>

namespace kvt::registry {

class AddNewObjectForm;
class ChannelAddresses;
class Registry;
class RegistryTrees;

// The operator's commands on the registry: add, edit and remove an object, delete the history,
// and the handlers of the add/edit window.
class ObjectCommands : public QObject {
    Q_OBJECT
public:
    static inline const QString kFillAllFields = QStringLiteral("Необходимо заполнить все поля.");
    static inline const QString kCannotLocate =
        QStringLiteral("Не верно указаны параметры объекта. Попробуйте перезапустить программу.");
    static inline const QString kConfirmRemoval = QStringLiteral("Вы подтверждаете удаление ");
    static inline const QString kConfirmHistoryRemoval = QStringLiteral("Вы подтверждаете удаление истории.");

    // Shows the window modally (exec); tests drive the window through their own runner.
    using ModalRunner = std::function<void(AddNewObjectForm&)>;
    // Asks for an object form file; empty when the operator cancels.
    using FileChooser = std::function<QString(AddNewObjectForm&)>;

    ObjectCommands(Registry& registry, RegistryTrees& trees, ChannelAddresses& addresses, AddNewObjectForm& window,
                   RegistryServices services, QObject* parent = nullptr);

    void setModalRunner(ModalRunner runner) { runModal_ = std::move(runner); }
    void setFileChooser(FileChooser chooser) { chooseFile_ = std::move(chooser); }

    // Main window commands.
    void Add_New_Object_ButtonClick();
    void Destruction_Object_ButtonClick();
    void Remove_Object_ButtonClick();
    void SpeedButton_Arhive_DBClick();

    // Add/edit window handlers.
    void Apply_New_Object_ButtonClick();  // "Добавить"
    void Apply_Edit_Object_ButtonClick(); // "Изменить" (Destruction_Object_ButtonClick of the window)
    void Button1Click();                  // "Отмена"
    void SpeedButton1Click();             // "..."

signals:
    // An object was added, edited or removed (its row and channel addresses are written).
    void objectsChanged();

private:
    void showWindow();
    void windowClosed();
    // Refuses, with a message, a field longer than the store holds.
    bool fieldsFit();

    Registry& registry_;
    RegistryTrees& trees_;
    ChannelAddresses& addresses_;
    AddNewObjectForm& window_;
    RegistryServices services_;
    ModalRunner runModal_;
    FileChooser chooseFile_;
    // The row being added or edited; posted by "Добавить"/"Изменить", dropped otherwise.
    std::optional<ObjectRecord> draft_;
};

} // namespace kvt::registry
