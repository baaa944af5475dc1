#include "objects/ui/AddNewObjectForm.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

namespace kvt::registry {

namespace {
constexpr int kFieldWidth = 260;
constexpr int kAddressFieldWidth = 90;

QLabel* caption(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    return label;
}
} // namespace

AddNewObjectForm::AddNewObjectForm(QWidget* parent) : QDialog(parent, Qt::Tool)
{
    setObjectName(QStringLiteral("AddNewObject"));
    setModal(true);

    auto* general = new QGroupBox(QStringLiteral("Общие параметры"), this);
    auto* generalLayout = new QGridLayout(general);
    nameEdit_ = makeEdit("Name_Edit");
    pathEdit_ = makeEdit("Path_Edit");
    browseButton_ = new QToolButton(general);
    browseButton_->setObjectName(QStringLiteral("SpeedButton1"));
    browseButton_->setText(QStringLiteral("..."));
    generalLayout->addWidget(caption(QStringLiteral("Название объекта"), general), 0, 0);
    generalLayout->addWidget(nameEdit_, 0, 1, 1, 2);
    generalLayout->addWidget(caption(QStringLiteral("Путь к файлу"), general), 1, 0);
    generalLayout->addWidget(pathEdit_, 1, 1);
    generalLayout->addWidget(browseButton_, 1, 2);

    auto* gsm = new QGroupBox(QStringLiteral("Параметры GSM канала"), this);
    auto* gsmLayout = new QHBoxLayout(gsm);
    phoneEdit_ = makeEdit("Phone_Edit");
    gsmLayout->addWidget(caption(QStringLiteral("Номер телефона  +"), gsm));
    gsmLayout->addWidget(phoneEdit_, 1);

    auto* radio = new QGroupBox(QStringLiteral("Параметры радиоканала"), this);
    auto* radioLayout = new QHBoxLayout(radio);
    dhEdit_ = makeEdit("DH_Edit");
    dlEdit_ = makeEdit("DL_Edit");
    dhEdit_->setFixedWidth(kAddressFieldWidth);
    dlEdit_->setFixedWidth(kAddressFieldWidth);
    radioLayout->addWidget(caption(QStringLiteral("Адрес "), radio));
    radioLayout->addWidget(caption(QStringLiteral("DH"), radio));
    radioLayout->addWidget(dhEdit_);
    radioLayout->addWidget(caption(QStringLiteral("DL"), radio));
    radioLayout->addWidget(dlEdit_);
    radioLayout->addStretch(1);

    auto* rs485 = new QGroupBox(QStringLiteral("Параметры канала RS-485"), this);
    auto* rs485Layout = new QHBoxLayout(rs485);
    rs485Edit_ = makeEdit("Rs485_Edit");
    rs485Edit_->setFixedWidth(kAddressFieldWidth);
    rs485Layout->addWidget(caption(QStringLiteral("Адрес объекта в сети RS-485"), rs485));
    rs485Layout->addWidget(rs485Edit_);
    rs485Layout->addStretch(1);

    addButton_ = new QPushButton(QStringLiteral("Добавить"), this);
    addButton_->setObjectName(QStringLiteral("Apply_New_Object_Button"));
    editButton_ = new QPushButton(QStringLiteral("Изменить"), this);
    editButton_->setObjectName(QStringLiteral("Destruction_Object_Button"));
    cancelButton_ = new QPushButton(QStringLiteral("Отмена"), this);
    cancelButton_->setObjectName(QStringLiteral("Button1"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(addButton_);
    buttons->addWidget(editButton_);
    buttons->addWidget(cancelButton_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(general);
    layout->addWidget(gsm);
    layout->addWidget(radio);
    layout->addWidget(rs485);
    layout->addLayout(buttons);
    nameEdit_->setMinimumWidth(kFieldWidth);

    connect(addButton_, &QPushButton::clicked, this, &AddNewObjectForm::addClicked);
    connect(editButton_, &QPushButton::clicked, this, &AddNewObjectForm::editClicked);
    connect(browseButton_, &QToolButton::clicked, this, &AddNewObjectForm::browseClicked);
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
    setMode(Mode::Add);
}

QLineEdit* AddNewObjectForm::makeEdit(const char* objectName)
{
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QString::fromLatin1(objectName));
    return edit;
}

void AddNewObjectForm::setMode(Mode mode)
{
    mode_ = mode;
    setWindowTitle(mode == Mode::Add ? kAddCaption : kEditCaption);
    addButton_->setVisible(mode == Mode::Add);
    editButton_->setVisible(mode == Mode::Edit);
    (mode == Mode::Add ? addButton_ : editButton_)->setDefault(true);
}

QString AddNewObjectForm::name() const { return nameEdit_->text(); }
QString AddNewObjectForm::path() const { return pathEdit_->text(); }
QString AddNewObjectForm::phone() const { return phoneEdit_->text(); }
QString AddNewObjectForm::dh() const { return dhEdit_->text(); }
QString AddNewObjectForm::dl() const { return dlEdit_->text(); }
QString AddNewObjectForm::rs485Address() const { return rs485Edit_->text(); }
void AddNewObjectForm::setName(const QString& text) { nameEdit_->setText(text); }
void AddNewObjectForm::setPath(const QString& text) { pathEdit_->setText(text); }
void AddNewObjectForm::setPhone(const QString& text) { phoneEdit_->setText(text); }
void AddNewObjectForm::setDh(const QString& text) { dhEdit_->setText(text); }
void AddNewObjectForm::setDl(const QString& text) { dlEdit_->setText(text); }
void AddNewObjectForm::setRs485Address(const QString& text) { rs485Edit_->setText(text); }

void AddNewObjectForm::centreOnDesktop()
{
    adjustSize();
    if (const QScreen* screen = this->screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

void AddNewObjectForm::showEvent(QShowEvent* event)
{
    centreOnDesktop();
    QDialog::showEvent(event);
}

} // namespace kvt::registry
