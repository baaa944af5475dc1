#include "settings/ui/SettingsBinder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>
#include <QSpinBox>

namespace kvt {

SettingsBinder::SettingsBinder(Settings& settings, QObject* parent) : QObject(parent), settings_(settings)
{
    connect(&settings_, &Settings::changed, this, &SettingsBinder::refresh);
}

void SettingsBinder::refresh()
{
    if (refreshing_)
        return;
    refreshing_ = true;
    SettingsData shown = settings_.data();
    for (const auto& show : showers_)
        show(shown);
    refreshing_ = false;
}

void SettingsBinder::bindCheck(QCheckBox* box, Field<bool> field)
{
    connect(box, &QCheckBox::toggled, this, [this, field](bool on) { store(field, on); });
    showers_.push_back([box, field](SettingsData& d) {
        const QSignalBlocker quiet(box);
        box->setChecked(field(d));
    });
}

void SettingsBinder::bindText(QLineEdit* edit, Field<QString> field)
{
    connect(edit, &QLineEdit::textChanged, this, [this, field](const QString& text) { store(field, text); });
    showers_.push_back([edit, field](SettingsData& d) {
        if (edit->text() == field(d))
            return; // keeps the cursor where the operator is typing
        const QSignalBlocker quiet(edit);
        edit->setText(field(d));
    });
}

void SettingsBinder::bindEditableCombo(QComboBox* combo, Field<QString> field)
{
    connect(combo, &QComboBox::currentTextChanged, this, [this, field](const QString& text) { store(field, text); });
    showers_.push_back([combo, field](SettingsData& d) {
        if (combo->currentText() == field(d))
            return;
        const QSignalBlocker quiet(combo);
        const int at = combo->findText(field(d));
        if (at >= 0)
            combo->setCurrentIndex(at);
        else
            combo->setEditText(field(d));
    });
}

void SettingsBinder::bindChoiceCombo(QComboBox* combo, Field<QString> field)
{
    connect(combo, &QComboBox::currentIndexChanged, this, [this, combo, field](int index) {
        store(field, index < 0 ? QString() : combo->itemText(index));
    });
    showers_.push_back([combo, field](SettingsData& d) {
        const QSignalBlocker quiet(combo);
        combo->setCurrentIndex(field(d).isEmpty() ? -1 : combo->findText(field(d)));
    });
}

void SettingsBinder::bindIndexCombo(QComboBox* combo, Field<int> field)
{
    connect(combo, &QComboBox::currentIndexChanged, this, [this, field](int index) { store(field, index); });
    showers_.push_back([combo, field](SettingsData& d) {
        const QSignalBlocker quiet(combo);
        combo->setCurrentIndex(field(d) < combo->count() ? field(d) : -1);
    });
}

void SettingsBinder::bindSpin(QSpinBox* spin, Field<int> field)
{
    connect(spin, &QSpinBox::valueChanged, this, [this, field](int value) { store(field, value); });
    showers_.push_back([spin, field](SettingsData& d) {
        const QSignalBlocker quiet(spin);
        spin->setValue(field(d));
    });
}

void SettingsBinder::bindList(QListWidget* list, Field<QStringList> field)
{
    // The list is changed through the model only (the "+" and "-" buttons).
    showers_.push_back([list, field](SettingsData& d) {
        QStringList shown;
        for (int i = 0; i < list->count(); ++i)
            shown.append(list->item(i)->text());
        if (shown == field(d))
            return;
        const QSignalBlocker quiet(list);
        list->clear();
        list->addItems(field(d));
    });
}

} // namespace kvt
