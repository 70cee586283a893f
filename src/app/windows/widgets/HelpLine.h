#pragma once

#include <QObject>
#include <QString>
#include <map>

class QLabel;
class QWidget;

namespace quoravel {

// The help line of a window: a label that shows the text of the control
// holding the focus, and the window's idle text otherwise.
class HelpLine : public QObject {
    Q_OBJECT
public:
    HelpLine(QLabel* label, QString idleText, QObject* parent = nullptr);

    // The text shown while `control` has the focus; a later call replaces it.
    void Set(QWidget* control, const QString& text);
    QString TextOf(QWidget* control) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* label_;
    QString idleText_;
    std::map<QObject*, QString> texts_;
};

}  // namespace quoravel
