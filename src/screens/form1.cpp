#include "screens/form1.h"

#include "entry/answerbox.h"
#include "entry/tilebutton.h"
#include "lists/catalogue.h"
#include "screens/colours.h"
#include "screens/geometry.h"
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

constexpr int kTimerInterval = 1000;

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

QLabel* caption(QLabel* label, const QString& text) {
    if (label->text() != text) {
        label->setText(text);
        label->adjustSize();
    }
    return label;
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

void setTextIfChanged(QLineEdit* box, const QString& text) {
    if (box->text() != text)
        box->setText(text);
}

} // namespace

Form1::Form1(SeedSource seeds, QStringList dataDirs, QWidget* parent)
    : QWidget(parent, Qt::Window), m_training(std::move(seeds)), m_dataDirs(std::move(dataDirs)),
      m_beep(&QApplication::beep) {
    setWindowTitle(texts::trainingTitle);
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    QPalette windowPalette = palette();
    windowPalette.setColor(QPalette::Window, rgb(Colour::Peach));
    setPalette(windowPalette);
    setAutoFillBackground(true);
    setGeometry(toPixels(layout::clientLeft), toPixels(layout::clientTop),
                toPixels(layout::clientWidth), toPixels(layout::clientHeight));
    setFixedSize(size());

    createControls();
    connectControls();
    orderTabs();
    load();
    render();
}

Form1::~Form1() = default;

void Form1::createControls() {
    // Frames first: the slots lie in front of them.
    for (int c = 0; c < 3; ++c)
        Frame1[c] = placed(new QGroupBox(this), layout::frame(c));

    for (int s = 0; s < kSlots; ++s) {
        tirage[s] = textBox(this, {}, layout::tirage(s));
        tirage[s]->setReadOnly(true);
        tirage[s]->setAlignment(Qt::AlignCenter);
        setBackground(tirage[s], rgb(Colour::LightCyan));

        solution[s] = textBox<entry::AnswerBox>(this, {}, layout::solution(s));
        solution[s]->setAlignment(Qt::AlignCenter);
        setBackground(solution[s], rgb(Colour::LightOrange));
    }

    for (int k = 0; k < kTiles; ++k) {
        Command1[k] = placed(new entry::TileButton(this), layout::tile(k));
        Command1[k]->setAutoDefault(true);
        setBackground(Command1[k], rgb(Colour::LightBlue));
    }

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
    seuiltxt = textBox(this, texts::successesThreshold, layout::seuiltxt);
    Label6 = label(this, texts::successesUnit, layout::Label6);
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
    temps = textBox(this, texts::countdownStart, layout::temps);
    Label2 = label(this, texts::totalClock, layout::Label2);
    tempstot = textBox(this, texts::totalStart, layout::tempstot);
    quitter = button(this, texts::backToLauncher, layout::quitter);

    for (QTimer** timer : {&Timer1, &Timer2, &Timer3}) {
        *timer = new QTimer(this);
        (*timer)->setInterval(kTimerInterval);
    }

    Command2->setDefault(true);
    nameForScreenReaders();
}

// Text boxes and tiles say which slot or tile they are; the clocks, the score
// and the threshold are read with what they show.
void Form1::nameForScreenReaders() {
    namespace spoken = texts::spoken;
    for (int s = 0; s < kSlots; ++s) {
        tirage[s]->setAccessibleName(spoken::tirage(s));
        solution[s]->setAccessibleName(spoken::solution(s));
    }
    for (int k = 0; k < kTiles; ++k)
        Command1[k]->setAccessibleName(spoken::tile(k));
    for (int c = 0; c < 3; ++c)
        Frame1[c]->setAccessibleName(spoken::column(c));
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
            handle([&](Training& t) { t.answerEdited(s, text); });
        });
        connect(solution[s], &entry::AnswerBox::keyDown, this, [this, s](int key) {
            handle([&](Training& t) { t.answerKeyDown(s, keyOf(key)); });
        });
    }
    for (int k = 0; k < kTiles; ++k) {
        connect(Command1[k], &QPushButton::clicked, this,
                [this, k] { handle([k](Training& t) { t.tileClicked(k); }); });
    }
    forwardClick(restart, &Training::restartClicked);
    forwardClick(corriger, &Training::corrigerClicked);
    forwardClick(Command2, &Training::command2Clicked);
    forwardClick(Command4, &Training::criterionClicked);
    connect(recherche, &QLineEdit::textEdited, this,
            [this](const QString& text) { handle([&](Training& t) { t.rechercheEdited(text); }); });
    forwardClick(valider, &Training::validerClicked);
    forwardClick(Command5, &Training::command5Clicked);
    forwardClick(Command3, &Training::command3Clicked);
    connect(Check1, &QCheckBox::clicked, this,
            [this](bool checked) { handle([checked](Training& t) { t.check1Clicked(checked); }); });
    connect(quitter, &QPushButton::clicked, this, &Form1::sommaire);
    connect(temps, &QLineEdit::textEdited, this,
            [this](const QString& text) { handle([&](Training& t) { t.countdownEdited(text); }); });
    connect(tempstot, &QLineEdit::textEdited, this,
            [this](const QString& text) { handle([&](Training& t) { t.totalEdited(text); }); });
    connect(seuiltxt, &QLineEdit::textEdited, this,
            [this](const QString& text) { handle([&](Training& t) { t.thresholdEdited(text); }); });
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

std::optional<lists::ListError> Form1::commencer(const QString& fichier) {
    lists::ListResult list = lists::readList(lists::locateList(fichier, m_dataDirs));
    if (const auto* error = std::get_if<lists::ListError>(&list))
        return *error;
    handle([&list](Training& t) { t.commencer(std::get<lists::ListContent>(list)); });
    return std::nullopt;
}

void Form1::setBusy(bool busy) {
    handle([busy](Training& t) { t.setBusy(busy); });
}

void Form1::handle(std::function<void(Training&)> handler) {
    if (m_rendering) {
        m_raisedWhileRendering.push_back(std::move(handler));
        return;
    }
    handler(m_training);
    for (;;) {
        m_rendering = true;
        render();
        m_rendering = false;
        if (m_raisedWhileRendering.empty())
            return;
        const auto next = std::move(m_raisedWhileRendering.front());
        m_raisedWhileRendering.pop_front();
        next(m_training);
    }
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn && !m_movingFocus) {
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
            handle([](Training& t) { t.rechercheClicked(); });
    } else if (event->type() == QEvent::KeyPress && watched == restart) {
        const Key key = keyOf(static_cast<QKeyEvent*>(event)->key());
        handle([key](Training& t) { t.restartKeyDown(key); });
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
    handle([](Training& t) { t.quitterClicked(); });
    // Let the new captions be painted before the screen goes. Timers keep running.
    QCoreApplication::processEvents();
    hide();
    emit backToLauncher();
}

void Form1::render() {
    const ScreenState& view = m_training.screen();

    for (int s = 0; s < kSlots; ++s) {
        const SlotView& slot = view.slotViews[s];
        setTextIfChanged(tirage[s], slot.tirage);
        setTextIfChanged(solution[s], slot.solution);
        setBackground(tirage[s], rgb(slot.tirageColour));
        setBackground(solution[s], rgb(slot.solutionColour));
        solution[s]->setReadOnly(view.answersReadOnly);
    }
    renderFonts(view);

    setTextIfChanged(recherche, view.recherche);
    Command5->setText(view.pauseCaption);
    caption(police, view.police);
    // Hidden or shown in this order: the countdown, the total, their captions.
    for (QWidget* clock : std::initializer_list<QWidget*>{temps, tempstot, Label1, Label2})
        clock->setVisible(view.clocksVisible);

    for (int k = 0; k < kTiles; ++k) {
        entry::TileButton* tile = Command1[k];
        const TileView& shown = view.tiles[k];
        if (tile->text() != shown.caption) {
            tile->setText(shown.caption);
            tile->setAccessibleDescription(shown.caption);
        }
        tile->move(toPixels(shown.left), tile->y());
        setBackground(tile, rgb(view.tileColour));
    }
    // Where two tiles share a place, the lettered one is drawn on top.
    for (entry::TileButton* tile : Command1) {
        if (!tile->text().isEmpty())
            tile->raise();
    }

    caption(Label5, view.label5);
    caption(Label6, view.label6)->move(toPixels(view.label6Left), Label6->y());
    seuiltxt->move(toPixels(view.seuiltxtLeft), seuiltxt->y());
    caption(voyant, view.voyant);
    caption(score, view.score);
    caption(tps, view.tps);
    caption(nbseries, view.nbseries);
    for (auto [label, name] :
         {std::pair{voyant, texts::spoken::judged}, std::pair{score, texts::spoken::score},
          std::pair{tps, texts::spoken::timeUsed}, std::pair{police, texts::spoken::fontNumber},
          std::pair{nbseries, texts::spoken::seriesDone}})
        label->setAccessibleName(name + QStringLiteral(" : ") + label->text());

    setTextIfChanged(motsleft, view.motsleft);
    setTextIfChanged(temps, view.temps);
    setTextIfChanged(tempstot, view.tempstot);
    setTextIfChanged(seuiltxt, view.seuiltxt);
    setBackground(temps, rgb(view.tempsColour));
    setBackground(tempstot, rgb(view.tempstotColour));
    setBackground(seuiltxt, rgb(view.seuiltxtColour));
    score->setVisible(view.scoreVisible);
    tps->setVisible(view.tpsVisible);
    Command2->setDefault(view.defaultButton == DefaultButton::Command2);
    valider->setDefault(view.defaultButton == DefaultButton::Valider);

    if (view.busy)
        setCursor(Qt::WaitCursor);
    else
        unsetCursor();

    renderTimer(Timer1, view.timer1, m_timerStarts[0]);
    renderTimer(Timer2, view.timer2, m_timerStarts[1]);
    renderTimer(Timer3, view.timer3, m_timerStarts[2]);

    for (; m_beepsSounded < view.beeps; ++m_beepsSounded)
        m_beep();

    renderPhaseAndFocus(view);
}

// Controls are enabled before the program moves the focus and disabled after
// it: the focus that the toolkit moves off a control being disabled then lands
// on the next live control of the tab order, as after the correction, and the
// program's own move is never undone by it.
void Form1::renderPhaseAndFocus(const ScreenState& view) {
    const std::array<std::pair<QWidget*, bool>, 3> live = {{{corriger, view.corrigerEnabled},
                                                            {restart, view.restartEnabled},
                                                            {recherche, view.rechercheEnabled}}};
    for (const auto& [control, enabled] : live) {
        if (enabled)
            control->setEnabled(true);
    }
    if (view.focusMoves != m_focusMovesShown) {
        m_focusMovesShown = view.focusMoves;
        if (view.focusedAnswer >= 0) {
            m_movingFocus = true;
            solution[view.focusedAnswer]->setFocus(Qt::OtherFocusReason);
            m_movingFocus = false;
        }
    }
    for (const auto& [control, enabled] : live) {
        if (!enabled)
            control->setEnabled(false);
    }
}

void Form1::renderFonts(const ScreenState& view) {
    for (int s = 0; s < kSlots; ++s) {
        QFont draw = tirage[s]->font();
        if (!view.tirageFont.isEmpty())
            draw.setFamily(view.tirageFont);
        draw.setItalic(view.tirageItalic);
        if (draw != tirage[s]->font())
            tirage[s]->setFont(draw);

        QFont answer = solution[s]->font();
        if (!view.solutionFont.isEmpty())
            answer.setFamily(view.solutionFont);
        answer.setStrikeOut(view.slotViews[s].struckOut);
        if (answer != solution[s]->font())
            solution[s]->setFont(answer);
    }
}

void Form1::renderTimer(QTimer* timer, const TimerView& view, quint64& starts) {
    if (!view.enabled) {
        timer->stop();
    } else if (!timer->isActive() || starts != view.starts) {
        timer->start();
    }
    starts = view.starts;
}

} // namespace tirages::screens
