// The training screen: its controls, their wiring and the events forwarded to
// the training. How the screen is brought up to date is in trainingscreenrender.cpp.

#include "screens/trainingscreen.h"

#include "entry/answerbox.h"
#include "entry/tilebutton.h"
#include "screens/colours.h"
#include "screens/geometry.h"
#include "screens/spoken.h"
#include "screens/window.h"
#include "texts.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFocusEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

namespace tirages::screens {

using namespace training;
namespace layout = screens::trainingLayout;

namespace {

constexpr int kWordSheetPoints = 7; // the word sheet: small, to hold a few lines

// Labels size themselves to their caption.
QLabel* label(QWidget* parent, const QString& caption, const Twips& twips) {
    auto* control = placed(new QLabel(caption, parent), twips);
    control->setMargin(0);
    control->adjustSize();
    return control;
}

QPushButton* button(QWidget* parent, const QString& caption, const Twips& twips) {
    auto* control = placed(new QPushButton(caption, parent), twips);
    control->setAutoDefault(true); // Enter clicks the button that has the focus
    return control;
}

template <typename Box = QLineEdit>
Box* textBox(QWidget* parent, const QString& text, const Twips& twips) {
    auto* control = placed(new Box(parent), twips);
    control->setText(text);
    control->setTextMargins(0, 0, 0, 0);
    return control;
}

Key keyOf(int qtKey) {
    switch (qtKey) {
    case Qt::Key_Down:
        return Key::Down;
    case Qt::Key_Up:
        return Key::Up;
    case Qt::Key_F8:
        return Key::F8;
    case Qt::Key_F12:
        return Key::F12;
    default:
        return Key::Other;
    }
}

} // namespace

TrainingScreen::TrainingScreen(SeedSource seeds, QWidget* parent)
    : QWidget(parent, Qt::Window), m_training(std::move(seeds)), m_beep(&QApplication::beep) {
    setUpWindow(this, texts::trainingTitle);
    setGeometry(toPixels(layout::clientLeft), toPixels(layout::clientTop),
                toPixels(layout::clientWidth), toPixels(layout::clientHeight));
    setFixedSize(size());

    createControls();
    nameForTheManual();
    connectControls();
    orderTabs();
    load();
    handle([](Training&) {}); // the screen as the training starts it
}

TrainingScreen::~TrainingScreen() = default;

void TrainingScreen::createSlotsAndTiles() {
    // Frames first: the slots lie in front of them.
    for (int c = 0; c < 3; ++c)
        m_columns[c] = placed(new QGroupBox(this), layout::column(c));
    for (int s = 0; s < kSlots; ++s) {
        m_draws[s] = textBox(this, {}, layout::draw(s));
        m_draws[s]->setReadOnly(true);
        m_draws[s]->setAlignment(Qt::AlignCenter);
        m_answers[s] = textBox<entry::AnswerBox>(this, {}, layout::answer(s));
        m_answers[s]->setAlignment(Qt::AlignCenter);
    }
    for (int k = 0; k < kTiles; ++k) {
        m_tiles[k] = placed(new entry::TileButton(this), layout::tile(k));
        m_tiles[k]->setAutoDefault(true);
    }
}

void TrainingScreen::createControls() {
    createSlotsAndTiles();
    m_newSeries = button(this, texts::restart, layout::newSeries);
    m_correct = button(this, texts::corriger, layout::correct);
    m_search = textBox<entry::AnswerBox>(this, {}, layout::search);
    setBackground(m_search, rgb(Colour::LightOrange));
    m_validate = button(this, texts::valider, layout::validate);
    m_nextBox = button(this, texts::command2, layout::nextBox);
    m_pause = button(this, texts::pause, layout::pause);
    m_changeFont = button(this, texts::changeFont, layout::changeFont);
    m_fontNumber = label(this, texts::firstFont, layout::fontNumber);
    m_changeCriterion = button(this, texts::changeCriterion, layout::changeCriterion);
    m_criterionCaption = label(this, texts::successesBefore, layout::criterionCaption);
    m_threshold = textBox(this, texts::successesThreshold, layout::threshold(Criterion::Successes));
    m_thresholdUnit =
        label(this, texts::successesUnit, layout::thresholdUnit(Criterion::Successes));
    m_wordsLeftCaption = label(this, texts::wordsLeft, layout::wordsLeftCaption);
    m_wordsLeft = textBox(this, {}, layout::wordsLeft);
    m_wordsLeft->setEnabled(false);
    m_seriesDone = label(this, texts::seriesDoneInitial, layout::seriesDone);
    m_judgement = label(this, {}, layout::judgement);
    m_score = label(this, {}, layout::score);
    m_score->hide();
    m_timeUsed = label(this, {}, layout::timeUsed);
    m_timeUsed->hide();
    m_wordsLine = label(this, {}, layout::wordsLine);
    m_wordsLine->hide();
    // Read only, scrolled by the wheel, out of the keyboard's round of the screen.
    m_wordSheet = placed(new QPlainTextEdit(this), layout::wordSheet);
    m_wordSheet->setReadOnly(true);
    m_wordSheet->setFocusPolicy(Qt::ClickFocus);
    m_wordSheet->setFrameShape(QFrame::NoFrame);
    m_wordSheet->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_wordSheet->viewport()->setAutoFillBackground(false);
    m_wordSheet->setFont(screenFont(kWordSheetPoints));
    m_wordSheet->hide();
    m_timeHeading = label(this, texts::timeHeading, layout::timeHeading);
    m_showClocks = placed(new QCheckBox(this), layout::showClocks);
    m_showClocks->setChecked(true);
    m_countdownCaption = label(this, texts::seriesClock, layout::countdownCaption);
    m_countdown = textBox<QuietLineEdit>(this, texts::countdownStart, layout::countdown);
    m_totalCaption = label(this, texts::totalClock, layout::totalCaption);
    m_total = textBox<QuietLineEdit>(this, texts::totalStart, layout::total);
    m_backToLauncher = button(this, texts::backToLauncher, layout::backToLauncher);
    m_countdownTimer = secondTimer(this);
    m_totalTimer = secondTimer(this);
    m_stopwatchTimer = secondTimer(this);
    m_nextBox->setDefault(true);
}

// Every control carries its name as its object name. Text boxes and tiles tell
// a screen reader which slot or tile they are; the clocks, the m_score and the
// threshold are read with what they show.
void TrainingScreen::nameForTheManual() {
    namespace spoken = texts::spoken;
    const auto indexed = [](const char* name, int i) {
        return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(i);
    };
    for (int s = 0; s < kSlots; ++s) {
        m_draws[s]->setObjectName(indexed("tirage", s));
        m_answers[s]->setObjectName(indexed("solution", s));
        m_draws[s]->setAccessibleName(spoken::drawBox.arg(s + 1));
        m_answers[s]->setAccessibleName(spoken::answerBox.arg(s + 1));
    }
    for (int k = 0; k < kTiles; ++k) {
        m_tiles[k]->setObjectName(indexed("Command1", k));
        m_tiles[k]->setAccessibleName(spoken::tileName.arg(k + 1));
    }
    for (int c = 0; c < 3; ++c) {
        m_columns[c]->setObjectName(indexed("Frame1", c));
        m_columns[c]->setAccessibleName(spoken::columnName.arg(c + 1));
    }
    nameControls({{m_newSeries, "restart"},
                  {m_correct, "corriger"},
                  {m_search, "recherche"},
                  {m_validate, "valider"},
                  {m_nextBox, "Command2"},
                  {m_pause, "Command5"},
                  {m_changeFont, "Command3"},
                  {m_fontNumber, "police"},
                  {m_changeCriterion, "Command4"},
                  {m_criterionCaption, "Label5"},
                  {m_threshold, "seuiltxt"},
                  {m_thresholdUnit, "Label6"},
                  {m_wordsLeftCaption, "Label4"},
                  {m_wordsLeft, "motsleft"},
                  {m_seriesDone, "nbseries"},
                  {m_judgement, "voyant"},
                  {m_score, "score"},
                  {m_wordsLine, "motsreponse"},
                  {m_wordSheet, "fiche"},
                  {m_timeUsed, "tps"},
                  {m_timeHeading, "Label3"},
                  {m_showClocks, "Check1"},
                  {m_countdownCaption, "Label1"},
                  {m_countdown, "temps"},
                  {m_totalCaption, "Label2"},
                  {m_total, "tempstot"},
                  {m_backToLauncher, "quitter"},
                  {m_countdownTimer, "Timer1"},
                  {m_totalTimer, "Timer2"},
                  {m_stopwatchTimer, "Timer3"}});
    m_nextBox->setAccessibleName(spoken::nextBox);
    m_search->setAccessibleName(spoken::search);
    m_threshold->setAccessibleName(spoken::threshold);
    m_wordsLeft->setAccessibleName(spoken::wordsLeft);
    m_countdown->setAccessibleName(spoken::seriesClock);
    m_total->setAccessibleName(spoken::totalClock);
    m_showClocks->setAccessibleName(spoken::showClocks);
}

void TrainingScreen::connectControls() {
    for (int s = 0; s < kSlots; ++s) {
        connect(m_answers[s], &QLineEdit::textEdited, this, [this, s](const QString& text) {
            handle([s, text](Training& t) { t.answerEdited(s, text); });
        });
        connect(m_answers[s], &entry::AnswerBox::keyDown, this, [this, s](int key) {
            handle([s, key](Training& t) { t.answerKeyDown(s, keyOf(key)); });
        });
    }
    for (int k = 0; k < kTiles; ++k) {
        connect(m_tiles[k], &QPushButton::clicked, this,
                [this, k] { handle([k](Training& t) { t.tileClicked(k); }); });
    }
    forwardClick(m_newSeries, &Training::newSeries);
    forwardClick(m_correct, &Training::correct);
    forwardClick(m_nextBox, &Training::nextBox);
    forwardClick(m_changeCriterion, &Training::switchCriterion);
    forwardClick(m_validate, &Training::validate);
    forwardClick(m_pause, &Training::togglePause);
    forwardClick(m_changeFont, &Training::cycleFont);
    forwardEdits(m_search, &Training::searchEdited);
    forwardEdits(m_countdown, &Training::countdownEdited);
    forwardEdits(m_total, &Training::totalEdited);
    forwardEdits(m_threshold, &Training::thresholdEdited);
    connect(m_showClocks, &QCheckBox::clicked, this,
            [this](bool checked) { handle([checked](Training& t) { t.showClocks(checked); }); });
    connect(m_backToLauncher, &QPushButton::clicked, this, &TrainingScreen::leave);
    connect(m_countdownTimer, &QTimer::timeout, this, &TrainingScreen::countdownTick);
    connect(m_totalTimer, &QTimer::timeout, this, &TrainingScreen::totalTick);
    connect(m_stopwatchTimer, &QTimer::timeout, this, &TrainingScreen::stopwatchTick);

    for (QWidget* child : findChildren<QWidget*>()) {
        if (child->focusPolicy() != Qt::NoFocus)
            child->installEventFilter(this);
    }
}

void TrainingScreen::forwardClick(QAbstractButton* button, void (Training::*handler)()) {
    connect(button, &QAbstractButton::clicked, this,
            [this, handler] { handle([handler](Training& t) { (t.*handler)(); }); });
}

void TrainingScreen::forwardEdits(QLineEdit* box, void (Training::*handler)(const QString&)) {
    connect(box, &QLineEdit::textEdited, this, [this, handler](const QString& text) {
        handle([handler, text](Training& t) { (t.*handler)(text); });
    });
}

void TrainingScreen::setBeep(std::function<void()> beep) {
    m_beep = std::move(beep);
}

void TrainingScreen::countdownTick() {
    handle([](Training& t) { t.countdownTick(); });
}

void TrainingScreen::totalTick() {
    handle([](Training& t) { t.totalTick(); });
}

void TrainingScreen::stopwatchTick() {
    handle([](Training& t) { t.stopwatchTick(); });
}

void TrainingScreen::orderTabs() {
    QList<QWidget*> order = {m_nextBox,    m_backToLauncher, m_total, m_countdown,
                             m_showClocks, m_validate,       m_search};
    for (int k = 7; k >= 0; --k)
        order.append(m_tiles[k]);
    for (int column = 0; column < 3; ++column) {
        for (int row = 0; row < 10; ++row)
            order.append(m_draws[column * 10 + row]);
        for (int row = 0; row < 10; ++row)
            order.append(m_answers[column * 10 + row]);
    }
    order << m_correct << m_newSeries << m_wordsLeft << m_threshold << m_changeFont
          << m_changeCriterion << m_pause << m_tiles[8];
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

// The load step: the frames, the check box and the labels take the window's
// own background colour.
void TrainingScreen::load() {
    const QColor window = palette().color(QPalette::Window);
    for (QWidget* control : std::initializer_list<QWidget*>{
             m_columns[0], m_columns[1], m_columns[2], m_showClocks, m_countdownCaption,
             m_totalCaption, m_timeHeading, m_wordsLeftCaption, m_criterionCaption, m_thresholdUnit,
             m_seriesDone, m_score, m_fontNumber, m_timeUsed, m_judgement})
        setBackground(control, window);
}

void TrainingScreen::start(const lists::ListContent& entries) {
    handle([entries](Training& t) { t.start(entries); });
    emit listStarted(m_training.snapshot());
}

void TrainingScreen::resume(const TrainingSnapshot& kept) {
    handle([kept](Training& t) { t.resume(kept); });
    emit listStarted(m_training.snapshot());
}

void TrainingScreen::setBusy() {
    handle([](Training& t) { t.setBusy(); });
}

bool TrainingScreen::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        // Coming back from another window or a popup is not a move between controls.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            const auto box = std::find(m_answers.begin(), m_answers.end(), watched);
            const int slot =
                box == m_answers.end() ? -1 : static_cast<int>(box - m_answers.begin());
            handle([slot](Training& t) {
                if (slot >= 0)
                    t.answerFocused(slot);
                else
                    t.otherControlFocused();
            });
        }
    } else if (event->type() == QEvent::MouseButtonPress && watched == m_search) {
        // Only a left click into a box that takes input is a click into it; the
        // filter sees presses on a disabled box too.
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && m_search->isEnabled())
            handle([](Training& t) { t.searchBoxClicked(); });
    } else if (event->type() == QEvent::KeyPress && watched == m_newSeries) {
        const Key key = keyOf(static_cast<QKeyEvent*>(event)->key());
        handle([key](Training& t) { t.keyOnNewSeries(key); });
    }
    return QWidget::eventFilter(watched, event);
}

void TrainingScreen::keyPressEvent(QKeyEvent* event) {
    // Enter in a text box reaches the window: it clicks the default button.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        handle([](Training& t) { t.enterPressed(); });
        return;
    }
    QWidget::keyPressEvent(event);
}

void TrainingScreen::closeEvent(QCloseEvent* event) {
    // The screen is only ever hidden: closing it is the way back to the launcher.
    event->ignore();
    leave();
}

void TrainingScreen::leave() {
    handle([](Training& t) { t.backToLauncher(); });
    // Let the new captions be painted before the screen goes. Timers keep running.
    QCoreApplication::processEvents();
    hide();
    emit backToLauncher(m_training.snapshot());
}

} // namespace tirages::screens
