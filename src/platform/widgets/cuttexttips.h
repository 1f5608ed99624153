#pragma once

class QComboBox;
class QListWidget;

// Shows the whole text of a drop-down list or of a list entry as its tooltip
// when the control is too narrow to show it, so a cut name can be read.
namespace CutTextTips {

void install(QComboBox *combo);
void install(QListWidget *list);

} // namespace CutTextTips
