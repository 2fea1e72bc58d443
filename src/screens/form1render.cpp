// Bringing the training screen up to date: what the training shows is copied
// onto the widgets, then the effects it asked for are carried out, once.

#include "entry/answerbox.h"
#include "entry/tilebutton.h"
#include "screens/colours.h"
#include "screens/form1.h"
#include "screens/geometry.h"
#include "screens/spoken.h"
#include "texts.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace tirages::screens {
namespace layout = screens::training;

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

void Form1::handle(std::function<void(Training&)> handler) {
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

void Form1::render(const ScreenView& view) {
    renderSlots(view);
    renderFonts(view);
    renderTiles(view);
    renderLabels(view);
    renderBoxes(view);
    Command5->setText(view.pauseCaption);
    score->setVisible(view.scoreVisible);
    tps->setVisible(view.tpsVisible);
    // Hidden or shown in this order: the countdown, the total, their captions.
    for (QWidget* clock : std::initializer_list<QWidget*>{temps, tempstot, Label1, Label2})
        clock->setVisible(view.clocksVisible);
    Command2->setDefault(view.defaultButton == DefaultButton::NextBox);
    valider->setDefault(view.defaultButton == DefaultButton::Valider);
}

void Form1::renderSlots(const ScreenView& view) {
    for (int s = 0; s < kSlots; ++s) {
        const SlotView& slot = view.slotViews[s];
        setTextIfChanged(tirage[s], slot.tirage);
        setTextIfChanged(solution[s], slot.solution);
        setBackground(tirage[s], rgb(slot.tirageColour));
        setBackground(solution[s], rgb(slot.solutionColour));
        solution[s]->setReadOnly(view.answersReadOnly);
        setSpokenDescription(solution[s], slot.spoken);
    }
}

void Form1::renderTiles(const ScreenView& view) {
    for (int k = 0; k < kTiles; ++k) {
        entry::TileButton* tile = Command1[k];
        const TileView& shown = view.tiles[k];
        if (tile->text() != shown.caption)
            tile->setText(shown.caption);
        setSpokenName(tile, shown.spoken);
        tile->move(toPixels(layout::tileLeft(shown.place)), tile->y());
        setBackground(tile, rgb(view.tileColour));
    }
    // Where two tiles share a place, the lettered one is drawn on top.
    for (entry::TileButton* tile : Command1) {
        if (!tile->text().isEmpty())
            tile->raise();
    }
}

void Form1::renderLabels(const ScreenView& view) {
    caption(Label5, view.criterionCaption);
    caption(Label6, view.thresholdUnit)->move(toPixels(layout::Label6(view.criterion).left), Label6->y());
    seuiltxt->move(toPixels(layout::seuiltxt(view.criterion).left), seuiltxt->y());
    caption(voyant, view.voyant);
    caption(score, view.score);
    caption(tps, view.tps);
    caption(nbseries, view.nbseries);
    caption(police, view.police);
    for (auto [label, name] :
         {std::pair{voyant, texts::spoken::judged}, std::pair{score, texts::spoken::score},
          std::pair{tps, texts::spoken::timeUsed}, std::pair{police, texts::spoken::fontNumber},
          std::pair{nbseries, texts::spoken::seriesDone}})
        setSpokenName(label, texts::spoken::labelled(name, label->text()));
}

void Form1::renderBoxes(const ScreenView& view) {
    setTextIfChanged(recherche, view.recherche);
    setTextIfChanged(motsleft, view.motsleft);
    setTextIfChanged(temps, view.temps);
    setTextIfChanged(tempstot, view.tempstot);
    setTextIfChanged(seuiltxt, view.seuiltxt);
    setBackground(temps, rgb(view.tempsColour));
    setBackground(tempstot, rgb(view.tempstotColour));
    setBackground(seuiltxt, rgb(view.seuiltxtColour));
}

void Form1::renderFonts(const ScreenView& view) {
    for (int s = 0; s < kSlots; ++s) {
        QFont draw = tirage[s]->font();
        if (!view.tirageFont.isEmpty())
            draw.setFamily(view.tirageFont);
        if (view.tirageItalicsOff)
            draw.setItalic(false);
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

// Controls are enabled before the effects are carried out and disabled after
// them: the focus that the toolkit moves off a control being disabled then
// lands on the next live control of the tab order, as after the correction,
// and never undoes the program's own move.
void Form1::applyPhaseAndEffects(const ScreenView& view, const Effects& effects) {
    const std::array<std::pair<QWidget*, bool>, 3> live = {{{corriger, view.corrigerEnabled},
                                                            {restart, view.restartEnabled},
                                                            {recherche, view.rechercheEnabled}}};
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

void Form1::apply(const Effect& effect) {
    switch (effect.kind) {
    case Effect::Kind::FocusAnswer:
        solution[effect.slot]->setFocus(Qt::OtherFocusReason);
        break;
    case Effect::Kind::Beep:
        m_beep();
        break;
    case Effect::Kind::StartClock:
        timerOf(effect.clock)->start();
        break;
    case Effect::Kind::StopClock:
        timerOf(effect.clock)->stop();
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

QTimer* Form1::timerOf(Clock clock) const {
    switch (clock) {
    case Clock::Countdown:
        return Timer1;
    case Clock::Total:
        return Timer2;
    case Clock::Stopwatch:
        return Timer3;
    }
    return Timer1;
}

} // namespace tirages::screens
