// Bringing the training screen up to date: what the training shows is copied
// onto the widgets, then the effects it asked for are carried out, once.

#include "entry/answerbox.h"
#include "entry/tilebutton.h"
#include "screens/colours.h"
#include "screens/geometry.h"
#include "screens/spoken.h"
#include "screens/trainingscreen.h"
#include "texts.h"

#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace tirages::screens {

using namespace training;
namespace layout = screens::trainingLayout;

namespace {

QLabel* caption(QLabel* label, const QString& text) {
    if (label->text() != text) {
        label->setText(text);
        label->adjustSize();
    }
    return label;
}

void setTextIfChanged(QLineEdit* box, const QString& text) {
    if (box->text() != text)
        box->setText(text);
}

} // namespace

void TrainingScreen::handle(std::function<void(Training&)> handler) {
    if (m_updating) {
        m_raisedWhileUpdating.push_back(std::move(handler));
        return;
    }
    handler(m_training);
    for (;;) {
        m_updating = true;
        const ScreenView view = m_training.screen();
        render(view);
        applyPhaseAndEffects(view, m_training.takeEffects());
        m_updating = false;
        if (m_raisedWhileUpdating.empty())
            return;
        const auto next = std::move(m_raisedWhileUpdating.front());
        m_raisedWhileUpdating.pop_front();
        next(m_training);
    }
}

void TrainingScreen::render(const ScreenView& view) {
    renderSlots(view);
    renderFonts(view);
    renderTiles(view);
    renderLabels(view);
    renderWordSheet(view);
    renderBoxes(view);
    m_pause->setText(view.pauseCaption);
    m_score->setVisible(view.scoreVisible);
    m_timeUsed->setVisible(view.timeUsedVisible);
    // Hidden or shown in this order: the countdown, the total, their captions.
    for (QWidget* clock :
         std::initializer_list<QWidget*>{m_countdown, m_total, m_countdownCaption, m_totalCaption})
        clock->setVisible(view.clocksVisible);
    m_nextBox->setDefault(view.defaultButton == DefaultButton::NextBox);
    m_validate->setDefault(view.defaultButton == DefaultButton::Validate);
}

void TrainingScreen::renderSlots(const ScreenView& view) {
    for (int s = 0; s < kSlots; ++s) {
        const SlotView& slot = view.slotViews[s];
        setTextIfChanged(m_draws[s], slot.draw);
        setTextIfChanged(m_answers[s], slot.typed);
        setBackground(m_draws[s], rgb(slot.drawColour));
        setBackground(m_answers[s], rgb(slot.typedColour));
        m_answers[s]->setReadOnly(view.answersReadOnly);
        setSpokenDescription(m_answers[s], slot.spoken);
    }
}

void TrainingScreen::renderTiles(const ScreenView& view) {
    for (int k = 0; k < kTiles; ++k) {
        entry::TileButton* tile = m_tiles[k];
        const TileView& shown = view.tiles[k];
        if (tile->text() != shown.caption)
            tile->setText(shown.caption);
        setSpokenName(tile, shown.spoken);
        tile->move(toPixels(layout::tileLeft(shown.place)), tile->y());
        setBackground(tile, rgb(view.tileColour));
    }
    // Where two tiles share a place, the lettered one is drawn on top.
    for (entry::TileButton* tile : m_tiles) {
        if (!tile->text().isEmpty())
            tile->raise();
    }
}

void TrainingScreen::renderLabels(const ScreenView& view) {
    caption(m_criterionCaption, view.criterionCaption);
    caption(m_thresholdUnit, view.thresholdUnit)
        ->move(toPixels(layout::thresholdUnit(view.criterion).left), m_thresholdUnit->y());
    m_threshold->move(toPixels(layout::threshold(view.criterion).left), m_threshold->y());
    caption(m_judgement, view.judgement);
    caption(m_score, view.score);
    // A score of words too grows to the left of its place, clear of the clocks.
    const int scoreRight = toPixels(layout::scoreRightEdge);
    m_score->move(std::min(toPixels(layout::score.left), scoreRight - m_score->width()),
                  m_score->y());
    caption(m_wordsLine, view.wordsLine);
    m_wordsLine->setVisible(!view.wordsLine.isEmpty());
    caption(m_timeUsed, view.timeUsed);
    caption(m_seriesDone, view.seriesDone);
    caption(m_fontNumber, view.fontNumber);
    for (auto [label, name] :
         {std::pair{m_judgement, texts::spoken::judged}, std::pair{m_score, texts::spoken::score},
          std::pair{m_timeUsed, texts::spoken::timeUsed},
          std::pair{m_wordsLine, texts::spoken::wordsLine},
          std::pair{m_fontNumber, texts::spoken::fontNumber},
          std::pair{m_seriesDone, texts::spoken::seriesDone}})
        setSpokenName(label, texts::spoken::labelled(name, label->text()));
}

// Worked out again only when the box or what it holds changes: a screen
// reader announces each change of its name.
void TrainingScreen::renderWordSheet(const ScreenView& view) {
    std::pair<QStringList, QStringList> wanted{view.sheetAnswers, view.sheetTyped};
    if (wanted == m_sheetOf)
        return;
    m_sheetOf = std::move(wanted);
    const lexicon::WordSheet sheet = m_makeWordSheet && !view.sheetAnswers.isEmpty()
                                         ? m_makeWordSheet(view.sheetAnswers, view.sheetTyped)
                                         : lexicon::WordSheet{};
    m_wordSheet->setPlainText(sheet.lines.join(u'\n'));
    setSpokenName(m_wordSheet, sheet.isEmpty() ? texts::lexicon::spokenName
                                               : texts::spoken::labelled(
                                                     texts::lexicon::spokenName, sheet.spoken));
    m_wordSheet->setVisible(!sheet.isEmpty());
}

void TrainingScreen::renderBoxes(const ScreenView& view) {
    setTextIfChanged(m_search, view.searchText);
    setTextIfChanged(m_wordsLeft, view.wordsLeftShown);
    setTextIfChanged(m_countdown, view.countdownShown);
    setTextIfChanged(m_total, view.totalShown);
    setTextIfChanged(m_threshold, view.threshold);
    setBackground(m_countdown, rgb(view.countdownColour));
    setBackground(m_total, rgb(view.totalColour));
    setBackground(m_threshold, rgb(view.thresholdColour));
}

void TrainingScreen::renderFonts(const ScreenView& view) {
    for (int s = 0; s < kSlots; ++s) {
        QFont draw = m_draws[s]->font();
        if (!view.drawFont.isEmpty())
            draw.setFamily(view.drawFont);
        if (view.drawItalicsOff)
            draw.setItalic(false);
        if (draw != m_draws[s]->font())
            m_draws[s]->setFont(draw);

        QFont answer = m_answers[s]->font();
        if (!view.answerFont.isEmpty())
            answer.setFamily(view.answerFont);
        answer.setStrikeOut(view.slotViews[s].struckOut);
        if (answer != m_answers[s]->font())
            m_answers[s]->setFont(answer);
    }
}

// Controls are enabled before the effects are carried out and disabled after
// them: the focus that the toolkit moves off a control being disabled then
// lands on the next live control of the tab order, as after the correction,
// and never undoes the program's own move.
void TrainingScreen::applyPhaseAndEffects(const ScreenView& view, const Effects& effects) {
    const std::array<std::pair<QWidget*, bool>, 3> live = {{{m_correct, view.correctEnabled},
                                                            {m_newSeries, view.newSeriesEnabled},
                                                            {m_search, view.searchEnabled}}};
    for (const auto& [control, enabled] : live) {
        if (enabled)
            control->setEnabled(true);
    }
    for (const Effect& effect : effects)
        apply(effect);
    for (const auto& [control, enabled] : live) {
        if (!enabled)
            control->setEnabled(false);
    }
}

void TrainingScreen::apply(const Effect& effect) {
    switch (effect.kind) {
    case Effect::Kind::FocusAnswer:
        m_answers[effect.slot]->setFocus(Qt::OtherFocusReason);
        break;
    case Effect::Kind::Beep:
        m_beep();
        break;
    case Effect::Kind::StartTimer:
        timerOf(effect.timer)->start();
        break;
    case Effect::Kind::StopTimer:
        timerOf(effect.timer)->stop();
        break;
    case Effect::Kind::BusyPointer:
        setCursor(Qt::WaitCursor);
        break;
    case Effect::Kind::DefaultPointer:
        unsetCursor();
        break;
    case Effect::Kind::SeriesCorrected:
        emit seriesCorrected(m_training.snapshot(), m_training.lastSeries());
        break;
    }
}

QTimer* TrainingScreen::timerOf(Timer timer) const {
    switch (timer) {
    case Timer::Countdown:
        return m_countdownTimer;
    case Timer::Total:
        return m_totalTimer;
    case Timer::Stopwatch:
        return m_stopwatchTimer;
    }
    return m_countdownTimer;
}

} // namespace tirages::screens
