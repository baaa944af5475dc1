// The main menu and the three context menus of the main window.
#include "app/GeneralForm.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "objects/ui/RegistryTreeViews.h"
#include "objects/ui/ObjectView.h"

namespace kvt {

namespace {

using Handler = void (GeneralForm::*)();

// Opens the trend window of the selected object, from both tree menus.
const QString kTrendsItem = QStringLiteral("Тренды…");

QAction* item(QMenu* menu, GeneralForm* window, const QString& caption, Handler handler)
{
    QAction* action = menu->addAction(caption);
    QObject::connect(action, &QAction::triggered, window, [window, handler] { (window->*handler)(); });
    return action;
}

} // namespace

void GeneralForm::buildMenus()
{
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));

    QMenu* object = bar->addMenu(QStringLiteral("&Объект"));
    item(object, this, QStringLiteral("Добавление о&бъекта"), &GeneralForm::Add_New_Object_ButtonClick);
    item(object, this, QStringLiteral("&Свойства обекта"), &GeneralForm::Destruction_Object_ButtonClick);
    item(object, this, QStringLiteral("У&даление объекта"), &GeneralForm::Remove_Object_ButtonClick);
    object->addSeparator();
    item(object, this, QStringLiteral("&Опрос объекта"), &GeneralForm::Query_Send_ButtonClick);
    object->addSeparator();
    item(object, this, QStringLiteral("Пополнение баланса объекта"), &GeneralForm::N48Click);
    item(object, this, QStringLiteral("Отправление команды объекту"), &GeneralForm::N49Click);
    item(object, this, QStringLiteral("Пополнение баланса модема ЦДП"), &GeneralForm::SpeedButton5Click);
    object->addSeparator();
    item(object, this, QStringLiteral("Показать форму объекта"), &GeneralForm::ShowObjectFormItemClick);
    item(object, this, QStringLiteral("Показать установки объекта"), &GeneralForm::ShowObjectSettingsItemClick);
    object->addSeparator();
    item(object, this, QStringLiteral("Сброс &состояния"), &GeneralForm::Stop_Avari_ButtonClick);

    QMenu* tools = bar->addMenu(QStringLiteral("Инструмен&ты"));
    item(tools, this, QStringLiteral("Настрой&ка приложения"), &GeneralForm::SettingsButtonClick);
    tools->addSeparator();
    item(tools, this, QStringLiteral("Менеджер объектов"), &GeneralForm::ObjectManagerItemClick);

    QMenu* info = bar->addMenu(QStringLiteral("Информация"));
    QMenu* events = info->addMenu(QStringLiteral("Журнал событий"));
    item(events, this, QStringLiteral("Показать журнал событий"), &GeneralForm::EventJournalButtonClick);
    events->addSeparator();
    item(events, this, QStringLiteral("Предыдущее сообщение"), &GeneralForm::PreviousEventClick);
    item(events, this, QStringLiteral("Следующее сообщение"), &GeneralForm::NextEventClick);
    events->addSeparator();
    item(events, this, QStringLiteral("Отчистить журнал событий"), &GeneralForm::ClearEventLogClick);
    info->addSeparator();
    item(info, this, QStringLiteral("&Журнал аварий"), &GeneralForm::AlarmBookButtonClick);
    item(info, this, QStringLiteral("Журнал состояний"), &GeneralForm::StateBookItemClick);
    info->addSeparator();
    item(info, this, QStringLiteral("Удалить историю"), &GeneralForm::SpeedButton_Arhive_DBClick);

    QMenu* help = bar->addMenu(QStringLiteral("&Справка"));
    QAction* manual = item(help, this, QStringLiteral("Описание программы"), &GeneralForm::HelpItemClick);
    manual->setShortcut(QKeySequence(Qt::Key_F1));
    manual->setShortcutContext(Qt::ApplicationShortcut);
    help->addSeparator();
    item(help, this, QStringLiteral("О програ&мме"), &GeneralForm::AboutItemClick);
    // F1 works wherever the focus is, also while the menu bar is not in use.
    addAction(manual);
}

void GeneralForm::buildContextMenus()
{
    objectTreeMenu_ = new QMenu(this);
    objectTreeMenu_->setObjectName(QStringLiteral("PopupMenu1"));
    item(objectTreeMenu_, this, QStringLiteral("Опросить объект"), &GeneralForm::Query_Send_ButtonClick);
    objectTreeMenu_->addSeparator();
    item(objectTreeMenu_, this, QStringLiteral("Удалить объект"), &GeneralForm::Remove_Object_ButtonClick);
    item(objectTreeMenu_, this, QStringLiteral("Добавить объект"), &GeneralForm::Add_New_Object_ButtonClick);
    item(objectTreeMenu_, this, QStringLiteral("Изменить объект"), &GeneralForm::Destruction_Object_ButtonClick);
    objectTreeMenu_->addSeparator();
    item(objectTreeMenu_, this, QStringLiteral("Установки объекта"), &GeneralForm::N48Click);
    objectTreeMenu_->addSeparator();
    item(objectTreeMenu_, this, QStringLiteral("Передать команду"), &GeneralForm::SpeedButton_Show_Send_Comand_FormClick);
    objectTreeMenu_->addSeparator();
    item(objectTreeMenu_, this, QStringLiteral("Сбросить состояние"), &GeneralForm::Stop_Avari_ButtonClick);
    objectTreeMenu_->addSeparator();
    item(objectTreeMenu_, this, kTrendsItem, &GeneralForm::TrendsItemClick);

    historyTreeMenu_ = new QMenu(this);
    historyTreeMenu_->setObjectName(QStringLiteral("PopupMenu2"));
    item(historyTreeMenu_, this, QStringLiteral("Отчистить историю"), &GeneralForm::SpeedButton_Arhive_DBClick);
    historyTreeMenu_->addSeparator();
    item(historyTreeMenu_, this, kTrendsItem, &GeneralForm::TrendsItemClick);

    objectViewMenu_ = new QMenu(this);
    objectViewMenu_->setObjectName(QStringLiteral("PopupMenu3"));
    item(objectViewMenu_, this, QStringLiteral("Сброс сообщения"), &GeneralForm::Stop_Avari_ButtonClick);

    // The views open their menus after a right click has selected the node under the mouse.
    objectTree_->setContextMenu(objectTreeMenu_);
    historyTree_->setContextMenu(historyTreeMenu_);
    connect(objectView_, &ObjectView::contextMenuRequested, objectViewMenu_,
            [this](const QPoint& at) { objectViewMenu_->popup(at); });
}

} // namespace kvt
