// What the launcher's buttons do: a list started, taken up, reviewed or
// chosen in the file dialog; the statistics and « Sauvegarde »; the farewell
// and the end of the program. How the launcher is made is in launcher.cpp.

#include "lexicon/completion.h"
#include "screens/carry.h"
#include "screens/geometry.h"
#include "screens/launcher.h"
#include "screens/trainingscreen.h"
#include "session/carrying.h"
#include "session/sittings.h"
#include "texts.h"

#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

namespace tirages::screens {
namespace layout = screens::launcherLayout;

bool Launcher::confirmRestart(const QString& question) {
    namespace say = texts::progress;
    QMessageBox box(QMessageBox::Question, say::restartTitle, question, QMessageBox::NoButton,
                    this);
    QPushButton* restartList = box.addButton(say::restartButton, QMessageBox::DestructiveRole);
    box.setDefaultButton(box.addButton(say::cancelButton, QMessageBox::RejectRole));
    box.exec();
    return box.clickedButton() == restartList;
}

// The list is read before the training screen is shown: one that cannot be
// read is reported here, and the training in memory stays as it was.
void Launcher::launchClicked() {
    if (const auto question = m_sittings.restartQuestion(); question && !confirmRestart(*question))
        return;
    setCursor(Qt::WaitCursor);
    const Result<lists::ListFile> file = m_sittings.launch();
    unsetCursor();
    if (!file) {
        showView(m_sittings.view(), true); // the same reason again is told again
        return;
    }
    if (!file->leftOut.isEmpty() || !file->fromLexicon.isEmpty())
        tellBeforeTraining(*file);
    train(*file);
}

void Launcher::train(const lists::ListFile& file) {
    m_sittings.lexicons().prefetch(); // for the word sheets
    TrainingScreen& training = trainingScreenMade();
    training.setBusy();
    showTraining(training);
    training.start(file.entries);
    hide();
}

void Launcher::reviewClicked() {
    const Result<lists::ListFile> file = m_sittings.review();
    if (!file) {
        showView(m_sittings.view(), true);
        return;
    }
    train(*file);
}

// A plain word list trains on its words that make a draw of their own, and
// on the lexicon's other words of their letters: the player is told which
// were left out and which were added before the training starts.
void Launcher::tellBeforeTraining(const lists::ListFile& file) {
    namespace say = texts::listMessages;
    QStringList told;
    if (!file.leftOut.isEmpty())
        told << lists::leftOutReport(file.leftOut);
    if (!file.fromLexicon.isEmpty())
        told << lexicon::completionReport(file.fromLexicon);
    told << say::trainedOn.arg(texts::counted(file.entries.size(), texts::words));
    QMessageBox box(QMessageBox::Information,
                    file.leftOut.isEmpty() ? texts::lexicon::addedTitle : say::leftOutTitle,
                    told.join(u'\n'), QMessageBox::NoButton, this);
    box.setDefaultButton(box.addButton(say::startButton, QMessageBox::AcceptRole));
    box.exec();
}

void Launcher::continueClicked() {
    const Result<training::TrainingSnapshot> kept = m_sittings.continueTraining();
    if (!kept) {
        showView(m_sittings.view(), true);
        return;
    }
    TrainingScreen& training = trainingScreenMade();
    training.setBusy();
    showTraining(training);
    training.resume(*kept);
    hide();
}

// The desktop's file dialog, in the folder used last; the file chosen goes
// into the list box, ready for "LANCER".
void Launcher::browseClicked() {
    namespace say = texts::browsing;
    auto* dialog =
        new QFileDialog(this, say::title, m_listFolder.folder(QDir::homePath()), say::filter);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setFileMode(QFileDialog::ExistingFile);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    connect(dialog, &QFileDialog::fileSelected, this, [this](const QString& path) {
        m_listFolder.chosen(path);
        m_listBox->setEditText(QDir::toNativeSeparators(path));
        m_launchButton->setFocus(Qt::OtherFocusReason);
    });
    dialog->open();
}

// A small window that offers the lexicon shipped or a word file; the file is
// chosen in the desktop's file dialog and read at once.
void Launcher::lexiconClicked() {
    namespace say = texts::lexicon;
    const QString chosen = m_sittings.lexicons().chosen();
    const QString current =
        say::current.arg(chosen.isEmpty() ? say::currentShipped : QFileInfo(chosen).fileName());
    auto* box = new QMessageBox(QMessageBox::Question, say::title,
                                say::explanation + QStringLiteral("\n\n") + current,
                                QMessageBox::NoButton, this);
    box->setObjectName(QStringLiteral("lexiqueChoix"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    QPushButton* shipped = box->addButton(say::bundled, QMessageBox::AcceptRole);
    QPushButton* ownFile = box->addButton(say::ownFile, QMessageBox::ActionRole);
    box->addButton(texts::progress::cancelButton, QMessageBox::RejectRole);
    box->setDefaultButton(chosen.isEmpty() ? shipped : ownFile);
    connect(box, &QMessageBox::buttonClicked, this, [this, shipped, ownFile](auto* clicked) {
        if (clicked == shipped)
            chooseLexicon({});
        if (clicked != ownFile)
            return;
        auto* dialog = new QFileDialog(this, say::chooseTitle,
                                       m_listFolder.folder(QDir::homePath()), say::filter);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        dialog->setFileMode(QFileDialog::ExistingFile);
        dialog->setAcceptMode(QFileDialog::AcceptOpen);
        connect(dialog, &QFileDialog::fileSelected, this, &Launcher::chooseLexicon);
        dialog->open();
    });
    box->open();
}

void Launcher::chooseLexicon(const QString& path) {
    setCursor(Qt::WaitCursor);
    const Result<Done> chosen = m_sittings.lexicons().choose(path);
    unsetCursor();
    refresh();
    if (!chosen)
        m_message->say(chosen.why());
}

// Made at the first click, not before: the start is not slower for it.
void Launcher::statisticsClicked() {
    const progress::Store* store = m_sittings.store();
    if (!store || !m_makeStatistics)
        return;
    if (!m_statisticsWindow) {
        setCursor(Qt::WaitCursor);
        Result<std::unique_ptr<QWidget>> made =
            m_makeStatistics(*store, m_now, [this](const lists::ListContent& questions) {
                const auto hardest = lists::ListId::of(lists::ListId::Kind::Hardest);
                if (const auto file = m_sittings.trainFromMemory(hardest, questions))
                    train(*file);
                else
                    showView(m_sittings.view(), true);
            });
        unsetCursor();
        if (!made) {
            m_message->say(texts::statistics::cannotOpen.arg(made.why()));
            return;
        }
        m_statisticsWindow = std::move(*made);
    }
    QMetaObject::invokeMethod(m_statisticsWindow.get(), "open");
}

void Launcher::carryClicked() {
    if (!m_carryWindow) {
        m_carryWindow = new CarryWindow(m_carrying, m_now, this);
        connect(m_carryWindow, &CarryWindow::keptChanged, this, &Launcher::refresh);
    }
    m_carryWindow->show();
    m_carryWindow->raise();
    m_carryWindow->activateWindow();
}

void Launcher::showTraining(TrainingScreen& training) {
    training.show();
    training.raise();
    training.activateWindow();
}

void Launcher::trainingLeft() {
    show();
    refresh();
    watchPending();
}

void Launcher::quitClicked() {
    if (m_statisticsWindow)
        m_statisticsWindow->close();
    if (m_carryWindow)
        m_carryWindow->close();
    m_farewellTimer->start();
    m_farewell.start();
    for (QWidget* control :
         {static_cast<QWidget*>(m_listBox), static_cast<QWidget*>(m_heading),
          static_cast<QWidget*>(m_launchButton), static_cast<QWidget*>(m_quitButton)})
        control->hide();
    for (QWidget* control : std::initializer_list<QWidget*>{
             m_message, m_progress, m_continueButton, m_browseButton, m_reviewLine, m_reviewButton,
             m_statisticsButton, m_carryButton})
        control->hide();
    setEnabled(false);
    m_about->show();
    setWindowTitle(texts::farewellTitle);
    m_about->setGeometry(toPixels(layout::aboutFarewell));
    // The text box shows lines; the about text keeps its CR LF line ends.
    m_about->setPlainText(
        QString(aboutText()).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

void Launcher::farewellTick() {
    const bool end = m_farewell.tick();
    m_farewellCountdown->setText(m_farewell.caption());
    if (end) {
        m_farewellTimer->stop();
        endProgram();
    }
}

// What was trained is kept before the program ends; what could not be is
// tried again for as long as the player asks.
void Launcher::endProgram() {
    m_retry->stop();
    for (QString failure = m_sittings.end(); !failure.isEmpty() && retryAfter(failure);)
        failure = m_sittings.end();
    emit programEnded();
}

// Only « Quitter sans les garder » gives them up: closing the box tries again.
bool Launcher::retryAfter(const QString& failure) {
    namespace say = texts::progress;
    QMessageBox box(QMessageBox::Warning, say::notKeptTitle, failure);
    box.setDefaultButton(box.addButton(say::retryButton, QMessageBox::AcceptRole));
    QPushButton* giveUp = box.addButton(say::quitWithoutKeeping, QMessageBox::DestructiveRole);
    box.exec();
    return box.clickedButton() != giveUp;
}

} // namespace tirages::screens
