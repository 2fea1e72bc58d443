#pragma once

// The « Sauvegarde » window of the launcher: the memory of questions to and
// from the cardbox of word-study programs, everything kept to and from a copy.
// Each action goes through the desktop's file dialog and says what it did.

#include "clock.h"
#include "result.h"

#include <QDialog>

class QFileDialog;
class QPushButton;

namespace tirages::session {
class Carrying;
}

namespace tirages::screens {

class AlertLabel;

class CarryWindow : public QDialog {
    Q_OBJECT

public:
    // `now` dates the name a copy is offered under.
    CarryWindow(session::Carrying& carrying, Clock now, QWidget* parent);

    QPushButton* importer = nullptr;
    QPushButton* exporter = nullptr;
    QPushButton* sauvegarder = nullptr;
    QPushButton* restaurer = nullptr;
    QPushButton* fermer = nullptr;
    AlertLabel* outcome = nullptr; // what the last action did, or why it did nothing
    // The file dialog open, if any.
    QFileDialog* fileDialog() const { return m_dialog; }

signals:
    // What is kept changed: the launcher shows it again.
    void keptChanged();

private:
    using Action = void (CarryWindow::*)(const QString& file);
    void choose(const QString& title, const QString& filter, const QString& proposed, bool saving,
                Action action);
    void tell(const Result<QString>& done);
    void importCardbox(const QString& file);
    void exportCardbox(const QString& file);
    void backup(const QString& file);
    void restore(const QString& file);

    session::Carrying& m_carrying;
    Clock m_now;
    QFileDialog* m_dialog = nullptr;
};

} // namespace tirages::screens
