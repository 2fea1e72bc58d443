// The training screen: its controls, their wiring and the events forwarded to
// the training. How the screen is brought up to date is in form1render.cpp.

#include "screens/form1.h"

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
#include <QPushButton>
#include <QTimer>

namespace tirages::screens {
namespace layout = screens::training;

namespace {

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

Form1::Form1(SeedSource seeds, QWidget* parent)
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

Form1::~Form1() = default;

void Form1::createSlotsAndTiles() {
    // Frames first: the slots lie in front of them.
    for (int c = 0; c < 3; ++c)
        Frame1[c] = placed(new QGroupBox(this), layout::frame(c));
    for (int s = 0; s < kSlots; ++s) {
        tirage[s] = textBox(this, {}, layout::tirage(s));
        tirage[s]->setReadOnly(true);
        tirage[s]->setAlignment(Qt::AlignCenter);
        solution[s] = textBox<entry::AnswerBox>(this, {}, layout::solution(s));
        solution[s]->setAlignment(Qt::AlignCenter);
    }
    for (int k = 0; k < kTiles; ++k) {
        Command1[k] = placed(new entry::TileButton(this), layout::tile(k));
        Command1[k]->setAutoDefault(true);
    }
}

void Form1::createControls() {
    createSlotsAndTiles();
    restart = button(this, texts::restart, layout::restart);
    corriger = button(this, texts::corriger, layout::corriger);
    recherche = textBox<entry::AnswerBox>(this, {}, layout::recherche);
    setBackground(recherche, rgb(Colour::LightOrange));
    valider = button(this, texts::valider, layout::valider);
    Command2 = button(this, texts::command2, layout::Command2);
    Command5 = button(this, texts::pause, layout::Command5);
    Command3 = button(this, texts::changeFont, layout::Command3);
    police = label(this, texts::firstFont, layout::police);
    Command4 = button(this, texts::changeCriterion, layout::Command4);
    Label5 = label(this, texts::successesBefore, layout::Label5);
    seuiltxt = textBox(this, texts::successesThreshold, layout::seuiltxt(Criterion::Successes));
    Label6 = label(this, texts::successesUnit, layout::Label6(Criterion::Successes));
    Label4 = label(this, texts::wordsLeft, layout::Label4);
    motsleft = textBox(this, {}, layout::motsleft);
    motsleft->setEnabled(false);
    nbseries = label(this, texts::seriesDoneInitial, layout::nbseries);
    voyant = label(this, {}, layout::voyant);
    score = label(this, {}, layout::score);
    score->hide();
    tps = label(this, {}, layout::tps);
    tps->hide();
    Label3 = label(this, texts::timeHeading, layout::Label3);
    Check1 = placed(new QCheckBox(this), layout::Check1);
    Check1->setChecked(true);
    Label1 = label(this, texts::seriesClock, layout::Label1);
    temps = textBox<QuietLineEdit>(this, texts::countdownStart, layout::temps);
    Label2 = label(this, texts::totalClock, layout::Label2);
    tempstot = textBox<QuietLineEdit>(this, texts::totalStart, layout::tempstot);
    quitter = button(this, texts::backToLauncher, layout::quitter);
    Timer1 = secondTimer(this);
    Timer2 = secondTimer(this);
    Timer3 = secondTimer(this);
    Command2->setDefault(true);
}

// Every control carries its name as its object name. Text boxes and tiles tell
// a screen reader which slot or tile they are; the clocks, the score and the
// threshold are read with what they show.
void Form1::nameForTheManual() {
    namespace spoken = texts::spoken;
    const auto indexed = [](const char* name, int i) {
        return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(i);
    };
    for (int s = 0; s < kSlots; ++s) {
        tirage[s]->setObjectName(indexed("tirage", s));
        solution[s]->setObjectName(indexed("solution", s));
        tirage[s]->setAccessibleName(spoken::tirage(s));
        solution[s]->setAccessibleName(spoken::solution(s));
    }
    for (int k = 0; k < kTiles; ++k) {
        Command1[k]->setObjectName(indexed("Command1", k));
        Command1[k]->setAccessibleName(spoken::tile(k));
    }
    for (int c = 0; c < 3; ++c) {
        Frame1[c]->setObjectName(indexed("Frame1", c));
        Frame1[c]->setAccessibleName(spoken::column(c));
    }
    nameControls({{restart, "restart"},   {corriger, "corriger"}, {recherche, "recherche"},
                  {valider, "valider"},   {Command2, "Command2"}, {Command5, "Command5"},
                  {Command3, "Command3"}, {police, "police"},     {Command4, "Command4"},
                  {Label5, "Label5"},     {seuiltxt, "seuiltxt"}, {Label6, "Label6"},
                  {Label4, "Label4"},     {motsleft, "motsleft"}, {nbseries, "nbseries"},
                  {voyant, "voyant"},     {score, "score"},       {tps, "tps"},
                  {Label3, "Label3"},     {Check1, "Check1"},     {Label1, "Label1"},
                  {temps, "temps"},       {Label2, "Label2"},     {tempstot, "tempstot"},
                  {quitter, "quitter"},   {Timer1, "Timer1"},     {Timer2, "Timer2"},
                  {Timer3, "Timer3"}});
    Command2->setAccessibleName(spoken::nextBox);
    recherche->setAccessibleName(spoken::search);
    seuiltxt->setAccessibleName(spoken::threshold);
    motsleft->setAccessibleName(spoken::wordsLeft);
    temps->setAccessibleName(spoken::seriesClock);
    tempstot->setAccessibleName(spoken::totalClock);
    Check1->setAccessibleName(spoken::showClocks);
}

void Form1::connectControls() {
    for (int s = 0; s < kSlots; ++s) {
        connect(solution[s], &QLineEdit::textEdited, this, [this, s](const QString& text) {
            handle([s, text](Training& t) { t.answerEdited(s, text); });
        });
        connect(solution[s], &entry::AnswerBox::keyDown, this, [this, s](int key) {
            handle([s, key](Training& t) { t.answerKeyDown(s, keyOf(key)); });
        });
    }
    for (int k = 0; k < kTiles; ++k) {
        connect(Command1[k], &QPushButton::clicked, this,
                [this, k] { handle([k](Training& t) { t.tileClicked(k); }); });
    }
    forwardClick(restart, &Training::newSeries);
    forwardClick(corriger, &Training::correct);
    forwardClick(Command2, &Training::nextBox);
    forwardClick(Command4, &Training::switchCriterion);
    forwardClick(valider, &Training::validate);
    forwardClick(Command5, &Training::togglePause);
    forwardClick(Command3, &Training::cycleFont);
    forwardEdits(recherche, &Training::searchEdited);
    forwardEdits(temps, &Training::countdownEdited);
    forwardEdits(tempstot, &Training::totalEdited);
    forwardEdits(seuiltxt, &Training::thresholdEdited);
    connect(Check1, &QCheckBox::clicked, this,
            [this](bool checked) { handle([checked](Training& t) { t.showClocks(checked); }); });
    connect(quitter, &QPushButton::clicked, this, &Form1::sommaire);
    connect(Timer1, &QTimer::timeout, this, &Form1::timer1Tick);
    connect(Timer2, &QTimer::timeout, this, &Form1::timer2Tick);
    connect(Timer3, &QTimer::timeout, this, &Form1::timer3Tick);

    for (QWidget* child : findChildren<QWidget*>()) {
        if (child->focusPolicy() != Qt::NoFocus)
            child->installEventFilter(this);
    }
}

void Form1::forwardClick(QAbstractButton* button, void (Training::*handler)()) {
    connect(button, &QAbstractButton::clicked, this,
            [this, handler] { handle([handler](Training& t) { (t.*handler)(); }); });
}

void Form1::forwardEdits(QLineEdit* box, void (Training::*handler)(const QString&)) {
    connect(box, &QLineEdit::textEdited, this, [this, handler](const QString& text) {
        handle([handler, text](Training& t) { (t.*handler)(text); });
    });
}

void Form1::setBeep(std::function<void()> beep) {
    m_beep = std::move(beep);
}

void Form1::timer1Tick() {
    handle([](Training& t) { t.countdownTick(); });
}

void Form1::timer2Tick() {
    handle([](Training& t) { t.totalTick(); });
}

void Form1::timer3Tick() {
    handle([](Training& t) { t.stopwatchTick(); });
}

void Form1::orderTabs() {
    QList<QWidget*> order = {Command2, quitter, tempstot, temps, Check1, valider, recherche};
    for (int k = 7; k >= 0; --k)
        order.append(Command1[k]);
    for (int column = 0; column < 3; ++column) {
        for (int row = 0; row < 10; ++row)
            order.append(tirage[column * 10 + row]);
        for (int row = 0; row < 10; ++row)
            order.append(solution[column * 10 + row]);
    }
    order << corriger << restart << motsleft << seuiltxt << Command3 << Command4 << Command5
          << Command1[8];
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

// The load step: the frames, the check box and the labels take the window's
// own background colour.
void Form1::load() {
    const QColor window = palette().color(QPalette::Window);
    for (QWidget* control : std::initializer_list<QWidget*>{
             Frame1[0], Frame1[1], Frame1[2], Check1, Label1, Label2, Label3, Label4, Label5,
             Label6, nbseries, score, police, tps, voyant})
        setBackground(control, window);
}

void Form1::commencer(const lists::ListContent& entries) {
    handle([entries](Training& t) { t.commencer(entries); });
    emit listStarted(m_training.snapshot());
}

void Form1::resume(const TrainingSnapshot& kept) {
    handle([kept](Training& t) { t.resume(kept); });
    emit listStarted(m_training.snapshot());
}

void Form1::setBusy() {
    handle([](Training& t) { t.setBusy(); });
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        // Coming back from another window or a popup is not a move between controls.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            const auto box = std::find(solution.begin(), solution.end(), watched);
            const int slot = box == solution.end() ? -1 : static_cast<int>(box - solution.begin());
            handle([slot](Training& t) {
                if (slot >= 0)
                    t.answerFocused(slot);
                else
                    t.otherControlFocused();
            });
        }
    } else if (event->type() == QEvent::MouseButtonPress && watched == recherche) {
        // Only a left click into a box that takes input is a click into it; the
        // filter sees presses on a disabled box too.
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && recherche->isEnabled())
            handle([](Training& t) { t.searchBoxClicked(); });
    } else if (event->type() == QEvent::KeyPress && watched == restart) {
        const Key key = keyOf(static_cast<QKeyEvent*>(event)->key());
        handle([key](Training& t) { t.keyOnNewSeries(key); });
    }
    return QWidget::eventFilter(watched, event);
}

void Form1::keyPressEvent(QKeyEvent* event) {
    // Enter in a text box reaches the window: it clicks the default button.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        handle([](Training& t) { t.enterPressed(); });
        return;
    }
    QWidget::keyPressEvent(event);
}

void Form1::closeEvent(QCloseEvent* event) {
    // The screen is only ever hidden: closing it is the way back to the launcher.
    event->ignore();
    sommaire();
}

void Form1::sommaire() {
    handle([](Training& t) { t.backToLauncher(); });
    // Let the new captions be painted before the screen goes. Timers keep running.
    QCoreApplication::processEvents();
    hide();
    emit backToLauncher(m_training.snapshot());
}

} // namespace tirages::screens
