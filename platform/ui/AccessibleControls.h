#pragma once
// How the program's controls reach assistive tools where the toolkit's own
// accessible objects fall short: a toggled tool button whose handlers never
// run, and a list named after its current entry.
class QAbstractButton;
class QComboBox;

namespace platform {

// An assistive tool's press or toggle of the button runs as a mouse click
// does: the button flips if it stays down, and its click handlers run.
void PressLikeAClick(QAbstractButton& button);

// The list reaches assistive tools by its accessible name, its current entry
// as its value; on Linux the toolkit would name it by that entry. A list
// that can be typed into is left as the toolkit shows it.
void NameListByItsAccessibleName(QComboBox& list);

} // namespace platform
