#include "screens/launcher.h"

#include "lists/catalogue.h"
#include "screens/carry.h"
#include "screens/colours.h"
#include "screens/geometry.h"
#include "screens/spoken.h"
#include "screens/trainingscreen.h"
#include "screens/window.h"
#include "session/carrying.h"
#include "session/sittings.h"
#include "texts.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

namespace tirages::screens {
namespace layout = screens::launcherLayout;

namespace {

const QString kLineBreak = QStringLiteral("\r\n");

} // namespace

Launcher::Launcher(std::function<std::unique_ptr<TrainingScreen>()> makeTrainingScreen,
                   session::Sittings& sittings, session::Carrying& carrying, Clock now,
                   QWidget* parent)
    : QWidget(parent, Qt::Window), m_makeTrainingScreen(std::move(makeTrainingScreen)),
      m_sittings(sittings), m_carrying(carrying), m_now(std::move(now)), m_listFolder(sittings) {
    setUpWindow(this, texts::launcherTitle);
    setFixedSize(toPixels(layout::clientWidth), toPixels(layout::clientHeight));
    createControls();
    setUpListBox();
    nameControls({{m_heading, "Label1"},
                  {m_listBox, "fichier"},
                  {m_launchButton, "Command1"},
                  {m_quitButton, "quitter"},
                  {m_about, "Text1"},
                  {m_farewellCountdown, "Label2"},
                  {m_farewellTimer, "Timer1"},
                  {m_message, "message"},
                  {m_progress, "progress"},
                  {m_continueButton, "continuer"},
                  {m_browseButton, "parcourir"},
                  {m_reviewLine, "reviewLine"},
                  {m_reviewButton, "reviser"},
                  {m_statisticsButton, "statistiques"},
                  {m_carryButton, "sauvegarde"}});
    m_listBox->setAccessibleName(texts::spoken::listBox);
    m_about->setAccessibleName(texts::spoken::about);
    m_farewellCountdown->setAccessibleName(texts::spoken::countdown);
    m_progress->setAccessibleName(texts::spoken::progressLine);
    m_browseButton->setAccessibleDescription(texts::spoken::browse);
    m_reviewButton->setAccessibleDescription(texts::spoken::review);

    QWidget::setTabOrder(m_launchButton, m_continueButton);
    QWidget::setTabOrder(m_continueButton, m_reviewButton);
    QWidget::setTabOrder(m_reviewButton, m_statisticsButton);
    QWidget::setTabOrder(m_statisticsButton, m_carryButton);
    QWidget::setTabOrder(m_carryButton, m_quitButton);
    QWidget::setTabOrder(m_quitButton, m_listBox);
    QWidget::setTabOrder(m_listBox, m_browseButton);
    QWidget::setTabOrder(m_browseButton, m_about);
    m_launchButton->setFocus();

    m_retry = new QTimer(this);
    m_retry->setInterval(1000);
    connect(m_retry, &QTimer::timeout, this, [this] {
        m_sittings.retry();
        refresh();
        watchPending();
    });
    m_sittings.listNamed(m_listBox->currentText());
    refresh();
    connect(m_listBox, &QComboBox::currentTextChanged, this, [this](const QString& text) {
        m_sittings.listNamed(text);
        refresh();
    });
    connect(m_launchButton, &QPushButton::clicked, this, &Launcher::launchClicked);
    connect(m_continueButton, &QPushButton::clicked, this, &Launcher::continueClicked);
    connect(m_reviewButton, &QPushButton::clicked, this, &Launcher::reviewClicked);
    connect(m_statisticsButton, &QPushButton::clicked, this, &Launcher::statisticsClicked);
    connect(m_carryButton, &QPushButton::clicked, this, &Launcher::carryClicked);
    connect(m_browseButton, &QPushButton::clicked, this, &Launcher::browseClicked);
    connect(m_quitButton, &QPushButton::clicked, this, &Launcher::quitClicked);
    connect(m_farewellTimer, &QTimer::timeout, this, &Launcher::farewellTick);
}

void Launcher::createControls() {
    // Created in the keyboard order of the focusable controls.
    m_heading = placed(new QLabel(texts::launcherHeading, this), layout::heading);
    m_heading->setFont(screenFont(12));
    m_heading->adjustSize();
    m_launchButton = placed(new QPushButton(texts::launch, this), layout::launch);
    m_quitButton = placed(new QPushButton(texts::quit, this), layout::quit);
    m_listBox = placed(new QComboBox(this), layout::listBox);
    m_browseButton = placed(new QPushButton(texts::browsing::button, this), layout::browse);
    m_about = placed(new QPlainTextEdit(this), layout::about);
    m_farewellCountdown = placed(new QuietLabel(this), layout::farewellCountdown);
    m_message = placed(new AlertLabel(this), layout::message);
    m_progress = placed(new QuietLabel(this), layout::progress);
    m_continueButton =
        placed(new QPushButton(texts::progress::continueTraining, this), layout::continueButton);
    m_continueButton->setAutoDefault(true);
    m_continueButton->hide();
    m_reviewLine = placed(new QLabel(this), layout::reviewLine); // read as it shows
    m_reviewLine->hide();
    m_reviewButton = placed(new QPushButton(texts::reviews::button, this), layout::review);
    m_reviewButton->setAutoDefault(true);
    m_reviewButton->hide();
    m_statisticsButton =
        placed(new QPushButton(texts::statistics::button, this), layout::statistics);
    m_statisticsButton->setAutoDefault(true);
    m_statisticsButton->hide();
    m_carryButton = placed(new QPushButton(texts::carrying::button, this), layout::carry);
    m_carryButton->setAutoDefault(true);
    m_carryButton->hide();
    m_progress->hide();
    m_progress->setWordWrap(true);
    m_progress->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_farewellTimer = secondTimer(this);

    for (QWidget* control :
         {static_cast<QWidget*>(m_heading), static_cast<QWidget*>(m_farewellCountdown)})
        setBackground(control, rgb(training::Colour::Peach));
    for (QPushButton* button : {m_launchButton, m_quitButton, m_browseButton})
        button->setAutoDefault(true);

    m_about->setReadOnly(true);
    m_about->setEnabled(false);
    m_about->hide();

    m_message->setWordWrap(true);
    m_message->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QPalette messagePalette = m_message->palette();
    messagePalette.setColor(QPalette::WindowText, rgb(training::Colour::DarkRed));
    m_message->setPalette(messagePalette);
}

void Launcher::setUpListBox() {
    m_listBox->setEditable(true);
    m_listBox->setInsertPolicy(QComboBox::NoInsert);
    // What the player types is what "LANCER" hands over: no completion, and no
    // match blind to case when the box loses the focus.
    m_listBox->setCompleter(nullptr);
    m_listBox->setMaxVisibleItems(17);
    for (const lists::CatalogueList& list : lists::catalogue())
        m_listBox->addItem(list.name);
    m_listBox->setCurrentIndex(-1);
    m_listBox->setEditText(texts::listPrompt);
}

Launcher::~Launcher() = default;

QString Launcher::aboutText() {
    QString text = texts::aboutHeading + kLineBreak + kLineBreak;
    for (const QString& line : texts::aboutLines)
        text += line + kLineBreak;
    return text;
}

TrainingScreen& Launcher::trainingScreenMade() {
    if (!m_trainingScreen) {
        m_trainingScreen = m_makeTrainingScreen();
        connect(m_trainingScreen.get(), &TrainingScreen::listStarted, this,
                [this](const training::TrainingSnapshot& training) {
                    m_sittings.started(training);
                    watchPending();
                });
        // The hidden screen may correct its series too: the launcher follows.
        connect(m_trainingScreen.get(), &TrainingScreen::seriesCorrected, this,
                [this](const training::TrainingSnapshot& training,
                       const training::SeriesRecord& series) {
                    m_sittings.corrected(training, series);
                    refresh();
                    watchPending();
                });
        connect(m_trainingScreen.get(), &TrainingScreen::backToLauncher, this,
                [this](const training::TrainingSnapshot& training) {
                    m_sittings.left(training);
                    trainingLeft();
                });
    }
    return *m_trainingScreen;
}

// What the sittings say beside the specified controls: a m_message, or the line
// about the kept training of the list named, and « Continuer ».
void Launcher::refresh() {
    showView(m_sittings.view());
}

void Launcher::showView(const session::LauncherView& view, bool tellAgain) {
    if (tellAgain)
        m_message->say({});
    m_message->say(view.message);
    m_progress->setText(view.progress);
    m_progress->setVisible(!view.progress.isEmpty());
    m_continueButton->setVisible(view.continueShown);
    m_reviewLine->setText(view.reviews);
    m_reviewLine->setVisible(!view.reviews.isEmpty());
    m_reviewButton->setVisible(!view.reviews.isEmpty());
    m_statisticsButton->setVisible(view.statisticsShown && m_makeStatistics);
    m_carryButton->setVisible(view.carryShown);
}

void Launcher::watchPending() {
    if (!m_sittings.pending())
        m_retry->stop();
    else if (!m_retry->isActive())
        m_retry->start();
}

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
    if (!file->leftOut.isEmpty())
        tellLeftOut(*file);
    train(*file);
}

void Launcher::train(const lists::ListFile& file) {
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

// A plain word list trains on its words that make a draw of their own: the
// player is told which were left out before the training starts on the others.
void Launcher::tellLeftOut(const lists::ListFile& file) {
    namespace say = texts::listMessages;
    QMessageBox box(QMessageBox::Information, say::leftOutTitle,
                    lists::leftOutReport(file.leftOut) + u'\n' +
                        say::trainedOn.arg(texts::counted(file.entries.size(), texts::words)),
                    QMessageBox::NoButton, this);
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
    m_about->setPlainText(QString(aboutText()).replace(kLineBreak, QStringLiteral("\n")));
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

void Launcher::closeEvent(QCloseEvent* event) {
    event->accept();
    endProgram();
}

void Launcher::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    if (!m_painted) {
        m_painted = true;
        // Once this paint has reached the screen.
        QTimer::singleShot(0, this, &Launcher::firstPainted);
    }
}

} // namespace tirages::screens
