#include "screens/launcher.h"

#include "lexicon/wordsheet.h"
#include "lists/catalogue.h"
#include "screens/colours.h"
#include "screens/geometry.h"
#include "screens/spoken.h"
#include "screens/trainingscreen.h"
#include "screens/window.h"
#include "session/sittings.h"
#include "texts.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
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
                  {m_lexiconButton, "lexique"},
                  {m_lexiconLine, "lexiqueLigne"},
                  {m_reviewLine, "reviewLine"},
                  {m_reviewButton, "reviser"},
                  {m_statisticsButton, "statistiques"},
                  {m_carryButton, "sauvegarde"}});
    m_listBox->setAccessibleName(texts::spoken::listBox);
    m_about->setAccessibleName(texts::spoken::about);
    m_farewellCountdown->setAccessibleName(texts::spoken::countdown);
    m_progress->setAccessibleName(texts::spoken::progressLine);
    m_browseButton->setAccessibleDescription(texts::spoken::browse);
    m_lexiconButton->setAccessibleDescription(texts::spoken::lexicon);
    m_reviewButton->setAccessibleDescription(texts::spoken::review);

    QWidget::setTabOrder(m_launchButton, m_continueButton);
    QWidget::setTabOrder(m_continueButton, m_reviewButton);
    QWidget::setTabOrder(m_reviewButton, m_statisticsButton);
    QWidget::setTabOrder(m_statisticsButton, m_carryButton);
    QWidget::setTabOrder(m_carryButton, m_quitButton);
    QWidget::setTabOrder(m_quitButton, m_listBox);
    QWidget::setTabOrder(m_listBox, m_browseButton);
    QWidget::setTabOrder(m_browseButton, m_lexiconButton);
    QWidget::setTabOrder(m_lexiconButton, m_about);
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
    connect(m_lexiconButton, &QPushButton::clicked, this, &Launcher::lexiconClicked);
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
    m_lexiconButton = placed(new QPushButton(texts::lexicon::button, this), layout::lexicon);
    m_lexiconLine = placed(new QLabel(this), layout::lexiconLine); // read as it shows
    m_lexiconLine->hide();
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
    for (QPushButton* button : {m_launchButton, m_quitButton, m_browseButton, m_lexiconButton})
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
        m_trainingScreen->setWordSheetMaker(
            [this](const QStringList& answers, const QStringList& typed) {
                const auto inForce = m_sittings.lexicons().lexicon();
                return inForce ? lexicon::wordSheet(*inForce, answers, typed)
                               : lexicon::WordSheet{};
            });
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
    m_lexiconLine->setText(view.lexicon);
    m_lexiconLine->setVisible(!view.lexicon.isEmpty());
}

void Launcher::watchPending() {
    if (!m_sittings.pending())
        m_retry->stop();
    else if (!m_retry->isActive())
        m_retry->start();
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
