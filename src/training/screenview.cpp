#include "training/screenview.h"

#include "texts.h"

namespace tirages {
namespace {

Colour drawColour(DrawLook look) {
    return look == DrawLook::AtRest ? Colour::LightCyan : Colour::LightGreen;
}

Colour answerColour(const SlotBoxes& boxes) {
    switch (boxes.answerLook) {
    case AnswerLook::AtRest:
        return Colour::LightOrange;
    case AnswerLook::Current:
        return Colour::LightYellow;
    case AnswerLook::Judged:
        return boxes.result == SlotResult::Right ? Colour::LightGreen : Colour::LightRed;
    }
    return Colour::LightOrange;
}

QString judgementText(Judgement judgement) {
    switch (judgement) {
    case Judgement::None:
        return {};
    case Judgement::Ok:
        return texts::judgedOk;
    case Judgement::No:
        return texts::judgedNo;
    }
    return {};
}

QString seriesDoneText(const TrainingState& state) {
    if (state.compteseries > 0)
        return QString::number(state.compteseries) + texts::seriesDoneSuffix;
    return state.countersReset ? texts::seriesDoneReset : texts::seriesDoneInitial;
}

QString criterionCaption(const TrainingState& state) {
    if (state.criterion == Criterion::Seconds)
        return texts::secondsBefore;
    return state.criterionSwitched ? texts::successesBeforeAgain : texts::successesBefore;
}

// The fonts of the slot boxes after the clicks made on the font button so far:
// the draw boxes take each step's font, the answer boxes only those of the
// steps that say so.
void chooseFonts(const TrainingState& state, ScreenView& view) {
    if (!state.fontChosen)
        return;
    const int count = static_cast<int>(texts::fontCycle.size());
    const int last = (state.numpolice + count - 2) % count; // the step the last click applied
    view.tirageFont = texts::fontCycle[static_cast<std::size_t>(last)].family;
    view.tirageItalicsOff = state.italicsOff;
    if (!state.answersFontChosen)
        return;
    // The latest step that reached the answer boxes, going back from the last.
    for (int back = 0; back < count; ++back) {
        const texts::FontStep& step =
            texts::fontCycle[static_cast<std::size_t>((last - back + count) % count)];
        if (step.answersToo) {
            view.solutionFont = step.family;
            return;
        }
    }
}

// The answer box as a screen reader tells it: its draw while the series runs,
// its result once corrected. An empty slot says nothing.
QString spokenAnswer(const SlotBoxes& boxes) {
    namespace spoken = texts::spoken;
    switch (boxes.result) {
    case SlotResult::Right:
        return spoken::right;
    case SlotResult::Wrong:
        return spoken::wrong.arg(boxes.tirage); // the draw box shows the solution
    case SlotResult::NotJudged:
        break;
    }
    return boxes.tirage.isEmpty() ? QString() : spoken::draw.arg(boxes.tirage);
}

} // namespace

ScreenView screenView(const TrainingState& state) {
    ScreenView view;
    for (int s = 0; s < kSlots; ++s) {
        const SlotBoxes& boxes = state.boxes[static_cast<std::size_t>(s)];
        SlotView& slot = view.slotViews[static_cast<std::size_t>(s)];
        slot.tirage = boxes.tirage;
        slot.solution = boxes.solution;
        slot.tirageColour = drawColour(boxes.drawLook);
        slot.solutionColour = answerColour(boxes);
        slot.struckOut = boxes.struckOut;
        slot.spoken = spokenAnswer(boxes);
    }
    for (int k = 0; k < kTiles; ++k) {
        const QString& caption = state.tiles.caption(k);
        const int place = state.tiles.place(k);
        view.tiles[static_cast<std::size_t>(k)] = {caption, place,
                                                   texts::spoken::tileAt(place, caption)};
    }
    view.tileColour = state.tilesShowTheEnd ? Colour::LightRed : Colour::LightBlue;

    const Phase phase = state.phase;
    const bool corrected = phase == Phase::SeriesCorrected || phase == Phase::ListFinished;
    view.criterion = state.criterion;
    view.criterionCaption = criterionCaption(state);
    view.thresholdUnit = state.criterion == Criterion::Seconds ? texts::secondsUnit : texts::successesUnit;
    view.seuiltxt = state.threshold.text;
    view.seuiltxtColour =
        phase == Phase::BeforeFirstSeries ? Colour::LightMagenta : Colour::SystemWindow;
    view.voyant = judgementText(state.voyant);
    // The last score stays, hidden, until the next correction writes another.
    if (!state.timeUsed.isEmpty())
        view.score = QString::number(state.found) + u'/' + QString::number(state.shown);
    view.tps = state.timeUsed;
    view.scoreVisible = corrected;
    view.tpsVisible = corrected;
    view.nbseries = seriesDoneText(state);
    view.motsleft = state.motsleft < 0 ? QString() : QString::number(state.motsleft);
    view.temps = state.temps;
    view.tempstot = state.tempstot;
    view.tempsColour = corrected ? Colour::Red : Colour::SystemWindow;
    view.tempstotColour = phase == Phase::ListFinished ? Colour::Red : Colour::SystemWindow;
    view.clocksVisible = state.clocksShown;
    view.recherche = state.recherche;
    view.rechercheEnabled = !state.paused;
    view.answersReadOnly = state.paused;
    view.pauseCaption = state.paused ? texts::resume : texts::pause;
    view.police = QString::number(state.numpolice);
    chooseFonts(state, view);
    view.corrigerEnabled = phase == Phase::SeriesRunning;
    view.restartEnabled = phase == Phase::SeriesCorrected;
    view.defaultButton = state.defaultButton;
    return view;
}

} // namespace tirages
