#include "LimitedField.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>

namespace quoravel {
namespace {

// Wide enough for a name of the lengths the fields take.
constexpr int kListTextCharacters = 45;

}  // namespace

void ShowLimited(QLineEdit& field, const QString& text, std::size_t length) {
    const int taken = length == 0 ? 32767 : static_cast<int>(length);
    field.setMaxLength(std::max<int>(taken, static_cast<int>(text.size())));
    field.setText(text);
    field.setCursorPosition(0);
}

void SetElided(QComboBox& list, int entry, const QString& text) {
    const QFontMetrics metrics(list.font());
    list.setItemText(
        entry, metrics.elidedText(text, Qt::ElideRight, metrics.averageCharWidth() * kListTextCharacters));
    list.setItemData(entry, text, Qt::ToolTipRole);
}

void TellWhenFull(QLineEdit& field, QLabel& helpLine) {
    QObject::connect(&field, &QLineEdit::inputRejected, &helpLine, [&field, &helpLine] {
        if (field.text().size() >= field.maxLength())
            helpLine.setText(QString("This field takes at most %1 characters.").arg(field.maxLength()));
    });
}

void AddElided(QComboBox& list, const QString& text, const QVariant& data) {
    list.addItem(QString(), data);
    SetElided(list, list.count() - 1, text);
}

void ShowWholeChoiceAsToolTip(QComboBox& list) {
    QObject::connect(&list, &QComboBox::currentIndexChanged, &list, [&list](int entry) {
        list.setToolTip(list.itemData(entry, Qt::ToolTipRole).toString());
    });
}

int FindWhole(const QComboBox& list, const QString& text) {
    return list.findData(text, Qt::ToolTipRole, Qt::MatchExactly);
}

}  // namespace quoravel
