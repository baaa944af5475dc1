#pragma once

#include "settings/Settings.h"

#include <QObject>

#include <functional>
#include <vector>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QSpinBox;

namespace kvt {

// Keeps the controls of the settings window and the settings model in step: an operator's
// change goes into the model at once, and a change of the model (a load) is shown by the
// controls. Other parts read the model, never the controls.
class SettingsBinder : public QObject {
    Q_OBJECT
public:
    template <typename T>
    using Field = std::function<T&(SettingsData&)>;

    explicit SettingsBinder(Settings& settings, QObject* parent = nullptr);

    void bindCheck(QCheckBox* box, Field<bool> field);
    void bindText(QLineEdit* edit, Field<QString> field);
    // A list whose text may also be typed: the text is the value.
    void bindEditableCombo(QComboBox* combo, Field<QString> field);
    // A list of fixed entries: the text of the selected entry, empty when none is selected.
    void bindChoiceCombo(QComboBox* combo, Field<QString> field);
    // A list of fixed entries: the index of the selected entry, -1 when none is selected.
    void bindIndexCombo(QComboBox* combo, Field<int> field);
    void bindSpin(QSpinBox* spin, Field<int> field);
    void bindList(QListWidget* list, Field<QStringList> field);

    // Shows the model's values in every bound control.
    void refresh();

private:
    template <typename T>
    void store(const Field<T>& field, const T& value)
    {
        settings_.update([&](SettingsData& d) { field(d) = value; });
    }

    Settings& settings_;
    std::vector<std::function<void(SettingsData&)>> showers_;
    bool refreshing_ = false;
};

} // namespace kvt
