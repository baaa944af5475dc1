#pragma once

namespace kvt {

class CurrentObject;
class ObjectForm;

// Page switching (TabSet1Change): every change of the tab of a page switch flips the visibility
// of each direct control of the form that is not a page switch, whatever the new tab.
void FlipFormPages(ObjectForm& form);

// The same on the current object's form; nothing while there is none.
void FlipCurrentFormPages(CurrentObject& current);

} // namespace kvt
