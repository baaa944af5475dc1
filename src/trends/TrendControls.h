#pragma once

#include "forms/ObjectForm.h"

#include <QString>

#include <vector>

namespace kvt {

// How a trend reads the value a control shows after decoding.
enum class TrendReadout {
    Caption,  // value texts, status panels and text panels: the caption
    Text,     // data fields shown as characters, setting boxes: the text
};

// A control of an object form whose decoded value a trend can plot.
struct TrendControl {
    // The control's place among the form's direct controls in their visiting order, from 1: it
    // names the control on the command line and stays the same for as long as the form does.
    int number = 0;
    QString name;   // component name
    // The control's "Заголовок для журнала"; without one, the caption or text it has in the form
    // file; without either, its component name.
    QString title;
    ControlKind kind = ControlKind::Decoration;
    TrendReadout readout = TrendReadout::Caption;
    // Value texts and setting boxes always show a number; the other kinds show one only where
    // their configuration makes them (a lookup text "25", characters "072").
    bool alwaysNumeric = false;
};

// The controls of a freshly loaded form (before any packet is drawn on it) that can show a
// number after decoding, in visiting order: value texts, setting boxes, status panels, text
// panels and data fields shown as characters. Lamps show no number; a data field shown as hex
// digits shows a code whose digits would read as the wrong number.
std::vector<TrendControl> TrendCandidates(const ObjectForm& form);

// The text the control shows now, read as `readout` says.
QString ShownTrendText(const FormControl& control, TrendReadout readout);

} // namespace kvt
