#include "screens/carry.h"

#include "screens/spoken.h"
#include "session/carrying.h"
#include "texts.h"

#include <QDate>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace tirages::screens {

namespace say = texts::carrying;

CarryWindow::CarryWindow(session::Carrying& carrying, Clock now, QWidget* parent)
    : QDialog(parent), m_carrying(carrying), m_now(std::move(now)) {
    setWindowTitle(say::title);
    // Wide enough for a message on a path to wrap on a few lines, no more.
    setFixedWidth(520);
    auto* layout = new QVBoxLayout(this);
    auto* heading = new QLabel(say::heading, this);
    heading->setWordWrap(true);
    layout->addWidget(heading);
    importer = new QPushButton(say::importCardbox, this);
    exporter = new QPushButton(say::exportCardbox, this);
    sauvegarder = new QPushButton(say::backup, this);
    restaurer = new QPushButton(say::restore, this);
    for (QPushButton* button : {importer, exporter, sauvegarder, restaurer}) {
        button->setAutoDefault(true);
        layout->addWidget(button);
    }
    outcome = new AlertLabel(this);
    outcome->setWordWrap(true);
    outcome->setTextInteractionFlags(Qt::TextSelectableByMouse);
    outcome->hide();
    layout->addWidget(outcome);
    fermer = new QPushButton(say::close, this);
    fermer->setAutoDefault(true);
    layout->addWidget(fermer, 0, Qt::AlignRight);

    connect(importer, &QPushButton::clicked, this, [this] {
        choose(say::importCardbox, say::cardboxFilter, QString(), false,
               &CarryWindow::importCardbox);
    });
    connect(exporter, &QPushButton::clicked, this, [this] {
        choose(say::exportCardbox, say::cardboxFilter, say::exportName, true,
               &CarryWindow::exportCardbox);
    });
    connect(sauvegarder, &QPushButton::clicked, this, [this] {
        choose(say::backup, say::copyFilter,
               say::backupName.arg(m_now().date().toString(Qt::ISODate)), true,
               &CarryWindow::backup);
    });
    connect(restaurer, &QPushButton::clicked, this, [this] {
        choose(say::restore, say::copyFilter, QString(), false, &CarryWindow::restore);
    });
    connect(fermer, &QPushButton::clicked, this, &QDialog::accept);
    importer->setFocus();
}

void CarryWindow::choose(const QString& title, const QString& filter, const QString& proposed,
                         bool saving, Action action) {
    m_dialog = new QFileDialog(this, title, QDir::homePath(), filter);
    m_dialog->setAttribute(Qt::WA_DeleteOnClose);
    m_dialog->setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    m_dialog->setFileMode(saving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (!proposed.isEmpty())
        m_dialog->selectFile(proposed);
    // Once the dialog is gone: a question the action asks comes alone.
    connect(
        m_dialog, &QFileDialog::fileSelected, this,
        [this, action](const QString& file) { (this->*action)(file); }, Qt::QueuedConnection);
    connect(m_dialog, &QObject::destroyed, this, [this] { m_dialog = nullptr; });
    m_dialog->open();
}

void CarryWindow::tell(const Result<QString>& done) {
    outcome->say(done ? *done : done.why());
    adjustSize(); // the message's lines, all shown
}

void CarryWindow::importCardbox(const QString& file) {
    setCursor(Qt::WaitCursor);
    const Result<QString> done = m_carrying.importCardbox(file);
    unsetCursor();
    tell(done);
    if (done)
        emit keptChanged();
}

void CarryWindow::exportCardbox(const QString& file) {
    tell(m_carrying.exportCardbox(file));
}

void CarryWindow::backup(const QString& file) {
    tell(m_carrying.backup(file));
}

// Asked first: what will be replaced, and by what.
void CarryWindow::restore(const QString& file) {
    const Result<QString> question = m_carrying.restoreQuestion(file);
    if (!question) {
        tell(question);
        return;
    }
    QMessageBox box(QMessageBox::Question, say::restoreTitle, *question, QMessageBox::NoButton,
                    this);
    QPushButton* replace = box.addButton(say::restoreButton, QMessageBox::DestructiveRole);
    box.setDefaultButton(box.addButton(say::cancelButton, QMessageBox::RejectRole));
    box.exec();
    if (box.clickedButton() != replace)
        return;
    const Result<QString> done = m_carrying.restore(file);
    tell(done);
    emit keptChanged(); // even a restore that failed may have left nothing kept
}

} // namespace tirages::screens
