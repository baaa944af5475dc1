#pragma once

#include "objects/ui/ParameterValue.h"

#include <QDialog>

#include <optional>

class QComboBox;
class QGroupBox;
class QSpinBox;

namespace kvt {

class FormControl;

// The settings editor window (TF_ObjOptEdit): a time in hours and minutes or a coordinate in
// degrees and minutes, with a sign. It keeps the group, the fields and the signs of its last use.
class ObjOptEditor : public QDialog {
    Q_OBJECT
public:
    enum class Group { Time, Coordinate };

    explicit ObjOptEditor(QWidget* parent = nullptr);

    // Shows the group with the parts filled in, runs the window modally and returns the parts
    // the operator applied; nothing when the window was closed any other way.
    std::optional<SplitParameter> edit(Group group, const SplitParameter& parts);

    // Edits the setting box `sender` (SpinEdit2DblClick: time, SpinEdit3DblClick: coordinate):
    // the box keeps the applied value, clamped to its range, and is untouched on cancel.
    void editSettingBox(FormControl& sender, Group group);

    QGroupBox* timeGroup() const { return timeGroup_; }
    QGroupBox* coordinateGroup() const { return coordinateGroup_; }

protected:
    // Shows the window modally; returns the result. Tests answer in its place.
    virtual int runModal();

private:
    struct Fields {
        QSpinBox* major;
        QSpinBox* minor;
        QComboBox* sign;
    };
    Fields fields(Group group) const;

    QGroupBox* timeGroup_;
    QGroupBox* coordinateGroup_;
    Fields time_{};
    Fields coordinate_{};
};

// The value a setting box reports: its text as an integer held within its range, or its lowest
// allowed value when the text is not a number.
int SettingBoxValue(const FormControl& box);

} // namespace kvt
