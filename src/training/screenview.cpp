#include "training/screenview.h"

#include "lists/plainwords.h"
#include "texts.h"

namespace tirages::training {
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
    if (state.seriesCount > 0)
        return QString::number(state.seriesCount) + texts::seriesDoneSuffix;
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
    const int last = (state.nextFontStep + count - 2) % count; // the step the last click applied
    view.drawFont = texts::fontCycle[static_cast<std::size_t>(last)].family;
    view.drawItalicsOff = state.italicsOff;
    if (!state.answersFontChosen)
        return;
    // The latest step that reached the answer boxes, going back from the last.
    for (int back = 0; back < count; ++back) {
        const texts::FontStep& step =
            texts::fontCycle[static_cast<std::size_t>((last - back + count) % count)];
        if (step.answersToo) {
            view.answerFont = step.family;
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
        if (boxes.words == 1)
            return spoken::wrong.arg(boxes.draw); // the draw box shows the solution
        return spoken::wrongWords.arg(texts::counted(boxes.wordsFound, texts::words))
                   .arg(boxes.words)
                   .arg(boxes.draw.split(u' ').join(QStringLiteral(", "))) +
               (boxes.extra.isEmpty()
                    ? QString()
                    : spoken::extraWords.arg(boxes.extra.join(QStringLiteral(", "))));
    case SlotResult::NotJudged:
        break;
    }
    if (boxes.draw.isEmpty())
        return {};
    return boxes.words == 1 ? spoken::draw.arg(boxes.draw)
                            : spoken::drawOfWords.arg(boxes.draw).arg(boxes.words);
}

// The draw box: a question of several words says how many beside its draw,
// until a wrong answer shows the words missing there.
QString drawText(const SlotBoxes& boxes) {
    if (boxes.words == 1 || boxes.result == SlotResult::Wrong)
        return boxes.draw;
    return texts::severalWords::draw.arg(boxes.draw).arg(boxes.words);
}

QString wordsLine(const SlotBoxes& boxes) {
    namespace say = texts::severalWords;
    if (boxes.words == 1)
        return {};
    if (boxes.result != SlotResult::Wrong)
        return boxes.typed.simplified();
    QStringList parts{say::missing.arg(boxes.draw.split(u' ').join(QStringLiteral(", ")))};
    if (!boxes.extra.isEmpty())
        parts << say::extra.arg(boxes.extra.join(QStringLiteral(", ")));
    return parts.join(say::separator);
}

// The words a player typed in a box, in Scrabble spelling; none when the box
// shows the solution of a box left empty.
QStringList typedWords(const SlotBoxes& boxes) {
    QStringList words;
    if (boxes.result == SlotResult::Right || boxes.struckOut) {
        for (const QString& word : boxes.typed.split(u' ', Qt::SkipEmptyParts))
            words << lists::scrabbleSpelling(word);
    }
    return words;
}

QString scoreText(const TrainingState& state) {
    const QString score = QString::number(state.found) + u'/' + QString::number(state.shown);
    if (!state.severalWords)
        return score;
    return texts::severalWords::score.arg(score).arg(state.wordsFound).arg(state.wordsShown);
}

} // namespace

ScreenView screenView(const TrainingState& state) {
    ScreenView view;
    for (int s = 0; s < kSlots; ++s) {
        const SlotBoxes& boxes = state.boxes[static_cast<std::size_t>(s)];
        SlotView& slot = view.slotViews[static_cast<std::size_t>(s)];
        slot.draw = drawText(boxes);
        slot.typed = boxes.typed;
        slot.drawColour = drawColour(boxes.drawLook);
        slot.typedColour = answerColour(boxes);
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
    view.threshold = state.threshold.text;
    view.thresholdColour =
        phase == Phase::BeforeFirstSeries ? Colour::LightMagenta : Colour::SystemWindow;
    view.judgement = judgementText(state.judgement);
    // The last score stays, hidden, until the next correction writes another.
    if (!state.timeUsed.isEmpty())
        view.score = scoreText(state);
    view.timeUsed = state.timeUsed;
    view.scoreVisible = corrected;
    view.timeUsedVisible = corrected;
    view.seriesDone = seriesDoneText(state);
    view.wordsLeftShown =
        state.wordsLeftShown < 0 ? QString() : QString::number(state.wordsLeftShown);
    view.countdownShown = state.countdownShown;
    view.totalShown = state.totalShown;
    view.countdownColour = corrected ? Colour::Red : Colour::SystemWindow;
    view.totalColour = phase == Phase::ListFinished ? Colour::Red : Colour::SystemWindow;
    view.clocksVisible = state.clocksShown;
    view.searchText = state.searchText;
    view.searchEnabled = !state.paused;
    const SlotBoxes& current = state.boxes[static_cast<std::size_t>(state.currentSlot)];
    view.wordsLine = wordsLine(current);
    if (corrected) {
        view.sheetAnswers = current.answers;
        view.sheetTyped = typedWords(current);
    }
    view.answersReadOnly = state.paused;
    view.pauseCaption = state.paused ? texts::resume : texts::pause;
    view.fontNumber = QString::number(state.nextFontStep);
    chooseFonts(state, view);
    view.correctEnabled = phase == Phase::SeriesRunning;
    view.newSeriesEnabled = phase == Phase::SeriesCorrected;
    view.defaultButton = state.defaultButton;
    return view;
}

} // namespace tirages::training
