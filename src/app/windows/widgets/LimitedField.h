#pragma once

#include <QString>
#include <cstddef>

class QComboBox;
class QLabel;
class QLineEdit;
class QVariant;

namespace quoravel {

// Shows a stored text in a field that takes `length` characters as typed
// (none when 0). A longer text a relay case or an older file brought is shown
// whole and kept: the broker may shorten it, never lengthen it.
void ShowLimited(QLineEdit& field, const QString& text, std::size_t length);
// A character refused because the field is full is told on the help line.
void TellWhenFull(QLineEdit& field, QLabel& helpLine);

// Adds an entry to a list whose texts may be of any length: the list shows at
// most a line's width of it, ending in "…", and the whole text is its tooltip
// and what FindWhole finds, so no name widens the window or its pop-up.
void AddElided(QComboBox& list, const QString& text, const QVariant& data);
void SetElided(QComboBox& list, int entry, const QString& text);
// The list shows the whole text of its chosen entry as its own tooltip.
void ShowWholeChoiceAsToolTip(QComboBox& list);
// The entry whose whole text is `text`; -1 when none.
int FindWhole(const QComboBox& list, const QString& text);

}  // namespace quoravel
