#include "screens/form2.h"

#include "lists/catalogue.h"
#include "screens/carry.h"
#include "screens/colours.h"
#include "screens/form1.h"
#include "screens/geometry.h"
#include "screens/spoken.h"
#include "screens/window.h"
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
namespace layout = screens::launcher;

namespace {

const QString kLineBreak = QStringLiteral("\r\n");

} // namespace

Form2::Form2(std::function<std::unique_ptr<Form1>()> makeTrainingScreen,
             session::Sittings& sittings, QWidget* parent)
    : QWidget(parent, Qt::Window), m_makeTrainingScreen(std::move(makeTrainingScreen)),
      m_sittings(sittings) {
    setUpWindow(this, texts::launcherTitle);
    setFixedSize(toPixels(layout::clientWidth), toPixels(layout::clientHeight));
    createControls();
    setUpListBox();
    nameControls({{Label1, "Label1"},
                  {fichier, "fichier"},
                  {Command1, "Command1"},
                  {quitter, "quitter"},
                  {Text1, "Text1"},
                  {Label2, "Label2"},
                  {Timer1, "Timer1"}});
    fichier->setAccessibleName(texts::spoken::listBox);
    Text1->setAccessibleName(texts::spoken::about);
    Label2->setAccessibleName(texts::spoken::countdown);
    progress->setAccessibleName(texts::spoken::progressLine);
    parcourir->setAccessibleDescription(texts::spoken::browse);
    reviser->setAccessibleDescription(texts::spoken::review);

    QWidget::setTabOrder(Command1, continuer);
    QWidget::setTabOrder(continuer, reviser);
    QWidget::setTabOrder(reviser, statistiques);
    QWidget::setTabOrder(statistiques, sauvegarde);
    QWidget::setTabOrder(sauvegarde, quitter);
    QWidget::setTabOrder(quitter, fichier);
    QWidget::setTabOrder(fichier, parcourir);
    QWidget::setTabOrder(parcourir, Text1);
    Command1->setFocus();

    m_retry = new QTimer(this);
    m_retry->setInterval(1000);
    connect(m_retry, &QTimer::timeout, this, [this] {
        m_sittings.retry();
        refresh();
        watchPending();
    });
    m_sittings.listNamed(fichier->currentText());
    refresh();
    connect(fichier, &QComboBox::currentTextChanged, this, [this](const QString& text) {
        m_sittings.listNamed(text);
        refresh();
    });
    connect(Command1, &QPushButton::clicked, this, &Form2::lancer);
    connect(continuer, &QPushButton::clicked, this, &Form2::continuerClicked);
    connect(reviser, &QPushButton::clicked, this, &Form2::reviserClicked);
    connect(statistiques, &QPushButton::clicked, this, &Form2::statistiquesClicked);
    connect(sauvegarde, &QPushButton::clicked, this, &Form2::sauvegardeClicked);
    connect(parcourir, &QPushButton::clicked, this, &Form2::parcourirClicked);
    connect(quitter, &QPushButton::clicked, this, &Form2::quitterClicked);
    connect(Timer1, &QTimer::timeout, this, &Form2::timer1Tick);
}

void Form2::createControls() {
    // Created in the keyboard order of the focusable controls.
    Label1 = placed(new QLabel(texts::launcherHeading, this), layout::Label1);
    Label1->setFont(screenFont(12));
    Label1->adjustSize();
    Command1 = placed(new QPushButton(texts::launch, this), layout::Command1);
    quitter = placed(new QPushButton(texts::quit, this), layout::quitter);
    fichier = placed(new QComboBox(this), layout::fichier);
    parcourir = placed(new QPushButton(texts::browsing::button, this), layout::parcourir);
    Text1 = placed(new QPlainTextEdit(this), layout::Text1);
    Label2 = placed(new QuietLabel(this), layout::Label2);
    message = placed(new AlertLabel(this), layout::message);
    progress = placed(new QuietLabel(this), layout::progress);
    continuer = placed(new QPushButton(texts::progress::continueTraining, this), layout::continuer);
    continuer->setAutoDefault(true);
    continuer->hide();
    reviewLine = placed(new QLabel(this), layout::reviewLine); // read as it shows
    reviewLine->hide();
    reviser = placed(new QPushButton(texts::reviews::button, this), layout::reviser);
    reviser->setAutoDefault(true);
    reviser->hide();
    statistiques = placed(new QPushButton(texts::statistics::button, this), layout::statistiques);
    statistiques->setAutoDefault(true);
    statistiques->hide();
    sauvegarde = placed(new QPushButton(texts::carrying::button, this), layout::sauvegarde);
    sauvegarde->setAutoDefault(true);
    sauvegarde->hide();
    progress->hide();
    progress->setWordWrap(true);
    progress->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Timer1 = secondTimer(this);

    for (QWidget* control : {static_cast<QWidget*>(Label1), static_cast<QWidget*>(Label2)})
        setBackground(control, rgb(Colour::Peach));
    for (QPushButton* button : {Command1, quitter, parcourir})
        button->setAutoDefault(true);

    Text1->setReadOnly(true);
    Text1->setEnabled(false);
    Text1->hide();

    message->setWordWrap(true);
    message->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QPalette messagePalette = message->palette();
    messagePalette.setColor(QPalette::WindowText, rgb(Colour::DarkRed));
    message->setPalette(messagePalette);
}

void Form2::setUpListBox() {
    fichier->setEditable(true);
    fichier->setInsertPolicy(QComboBox::NoInsert);
    // What the player types is what "LANCER" hands over: no completion, and no
    // match blind to case when the box loses the focus.
    fichier->setCompleter(nullptr);
    fichier->setMaxVisibleItems(17);
    for (const lists::CatalogueList& list : lists::catalogue())
        fichier->addItem(list.name);
    fichier->setCurrentIndex(-1);
    fichier->setEditText(texts::listPrompt);
}

Form2::~Form2() = default;

QString Form2::aboutText() {
    QString text = texts::aboutHeading + kLineBreak + kLineBreak;
    for (const QString& line : texts::aboutLines)
        text += line + kLineBreak;
    return text;
}

Form1& Form2::trainingScreenMade() {
    if (!m_form1) {
        m_form1 = m_makeTrainingScreen();
        connect(m_form1.get(), &Form1::listStarted, this, [this](const TrainingSnapshot& training) {
            m_sittings.started(training);
            watchPending();
        });
        // The hidden screen may correct its series too: the launcher follows.
        connect(m_form1.get(), &Form1::seriesCorrected, this,
                [this](const TrainingSnapshot& training, const SeriesRecord& series) {
                    m_sittings.corrected(training, series);
                    refresh();
                    watchPending();
                });
        connect(m_form1.get(), &Form1::backToLauncher, this,
                [this](const TrainingSnapshot& training) {
                    m_sittings.left(training);
                    trainingLeft();
                });
    }
    return *m_form1;
}

// What the sittings say beside the specified controls: a message, or the line
// about the kept training of the list named, and « Continuer ».
void Form2::refresh() {
    showView(m_sittings.view());
}

void Form2::showView(const session::LauncherView& view, bool tellAgain) {
    if (tellAgain)
        message->say({});
    message->say(view.message);
    progress->setText(view.progress);
    progress->setVisible(!view.progress.isEmpty());
    continuer->setVisible(view.continueShown);
    reviewLine->setText(view.reviews);
    reviewLine->setVisible(!view.reviews.isEmpty());
    reviser->setVisible(!view.reviews.isEmpty());
    statistiques->setVisible(view.statisticsShown && m_makeStatistics);
    sauvegarde->setVisible(view.carryShown);
}

void Form2::watchPending() {
    if (!m_sittings.pending())
        m_retry->stop();
    else if (!m_retry->isActive())
        m_retry->start();
}

bool Form2::confirmRestart(const QString& question) {
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
void Form2::lancer() {
    if (const auto question = m_sittings.restartQuestion(); question && !confirmRestart(*question))
        return;
    setCursor(Qt::WaitCursor);
    const std::optional<lists::ListFile> file = m_sittings.launch();
    unsetCursor();
    if (!file) {
        showView(m_sittings.view(), true); // the same reason again is told again
        return;
    }
    if (!file->leftOut.isEmpty())
        tellLeftOut(*file);
    train(*file);
}

void Form2::train(const lists::ListFile& file) {
    Form1& training = trainingScreenMade();
    training.setBusy();
    showTraining(training);
    training.commencer(file.entries);
    hide();
}

void Form2::reviserClicked() {
    const std::optional<lists::ListFile> file = m_sittings.review();
    if (!file) {
        showView(m_sittings.view(), true);
        return;
    }
    train(*file);
}

// A plain word list trains on its words that make a draw of their own: the
// player is told which were left out before the training starts on the others.
void Form2::tellLeftOut(const lists::ListFile& file) {
    namespace say = texts::listMessages;
    QMessageBox box(QMessageBox::Information, say::leftOutTitle,
                    lists::leftOutReport(file.leftOut) + u'\n' +
                        say::trainedOn.arg(texts::counted(file.entries.size(), texts::words)),
                    QMessageBox::NoButton, this);
    box.setDefaultButton(box.addButton(say::startButton, QMessageBox::AcceptRole));
    box.exec();
}

void Form2::continuerClicked() {
    const std::optional<TrainingSnapshot> kept = m_sittings.continueTraining();
    if (!kept) {
        showView(m_sittings.view(), true);
        return;
    }
    Form1& training = trainingScreenMade();
    training.setBusy();
    showTraining(training);
    training.resume(*kept);
    hide();
}

// The desktop's file dialog, in the folder used last; the file chosen goes
// into the list box, ready for "LANCER".
void Form2::parcourirClicked() {
    namespace say = texts::browsing;
    auto* dialog = new QFileDialog(this, say::title, m_sittings.browseFolder(QDir::homePath()),
                                   say::filter);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setFileMode(QFileDialog::ExistingFile);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    connect(dialog, &QFileDialog::fileSelected, this, [this](const QString& path) {
        m_sittings.listFileChosen(path);
        fichier->setEditText(QDir::toNativeSeparators(path));
        Command1->setFocus(Qt::OtherFocusReason);
    });
    dialog->open();
}

// Made at the first click, not before: the start is not slower for it.
void Form2::statistiquesClicked() {
    const progress::Store* store = m_sittings.store();
    if (!store || !m_makeStatistics)
        return;
    if (!m_statistics) {
        QString error;
        setCursor(Qt::WaitCursor);
        m_statistics = m_makeStatistics(
            *store, [this] { return m_sittings.now(); },
            [this](const lists::ListContent& questions) {
                if (const auto file =
                        m_sittings.trainUnkept(texts::statistics::hardestList, questions))
                    train(*file);
                else
                    showView(m_sittings.view(), true);
            },
            &error);
        unsetCursor();
        if (!m_statistics) {
            message->say(texts::statistics::cannotOpen.arg(error));
            return;
        }
    }
    QMetaObject::invokeMethod(m_statistics.get(), "open");
}

void Form2::sauvegardeClicked() {
    if (!m_carry) {
        m_carry = new CarryWindow(m_sittings, this);
        connect(m_carry, &CarryWindow::keptChanged, this, &Form2::refresh);
    }
    m_carry->show();
    m_carry->raise();
    m_carry->activateWindow();
}

void Form2::showTraining(Form1& training) {
    training.show();
    training.raise();
    training.activateWindow();
}

void Form2::trainingLeft() {
    show();
    refresh();
    watchPending();
}

void Form2::quitterClicked() {
    if (m_statistics)
        m_statistics->close();
    if (m_carry)
        m_carry->close();
    Timer1->start();
    m_farewell.start();
    for (QWidget* control : {static_cast<QWidget*>(fichier), static_cast<QWidget*>(Label1),
                             static_cast<QWidget*>(Command1), static_cast<QWidget*>(quitter)})
        control->hide();
    for (QWidget* control :
         std::initializer_list<QWidget*>{message, progress, continuer, parcourir, reviewLine,
                                         reviser, statistiques, sauvegarde})
        control->hide();
    setEnabled(false);
    Text1->show();
    setWindowTitle(texts::farewellTitle);
    Text1->setGeometry(toPixels(layout::Text1Farewell));
    // The text box shows lines; the about text keeps its CR LF line ends.
    Text1->setPlainText(QString(aboutText()).replace(kLineBreak, QStringLiteral("\n")));
}

void Form2::timer1Tick() {
    const bool end = m_farewell.tick();
    Label2->setText(m_farewell.caption());
    if (end) {
        Timer1->stop();
        endProgram();
    }
}

// What was trained is kept before the program ends; the player is told of
// what could not be, at last.
void Form2::endProgram() {
    m_retry->stop();
    const QString failure = m_sittings.end();
    if (!failure.isEmpty()) {
        QMessageBox box(QMessageBox::Warning, texts::progress::notKeptTitle, failure);
        box.exec();
    }
    emit programEnded();
}

void Form2::closeEvent(QCloseEvent* event) {
    event->accept();
    endProgram();
}

void Form2::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    if (!m_painted) {
        m_painted = true;
        // Once this paint has reached the screen.
        QTimer::singleShot(0, this, &Form2::firstPainted);
    }
}

} // namespace tirages::screens
