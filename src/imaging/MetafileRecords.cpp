#include "imaging/MetafileRecords.h"

#include "imaging/MetafileCanvas.h"

std::optional<MetafileState> MetafileStateCodes::stateOf(uint32_t code) const {
    const std::pair<uint32_t, MetafileState> codes[] = {
        {backgroundMode, MetafileState::BackgroundMode},
        {backgroundColour, MetafileState::BackgroundColour},
        {textColour, MetafileState::TextColour},
        {textAlign, MetafileState::TextAlign},
        {polyFillMode, MetafileState::PolyFillMode},
        {saveDc, MetafileState::SaveDc},
        {restoreDc, MetafileState::RestoreDc},
    };
    for (const auto& [c, state] : codes) {
        if (c == code) {
            return state;
        }
    }
    return std::nullopt;
}

bool playStateRecord(MetafileCanvas& canvas, MetafileState record,
                     std::optional<int64_t> parameter) {
    switch (record) {
        case MetafileState::BackgroundMode:
            canvas.setBackgroundOpaque(parameter.value_or(2) == 2);
            break;
        case MetafileState::BackgroundColour:
            canvas.setBackgroundColour(colourRef(uint32_t(parameter.value_or(0xffffff))));
            break;
        case MetafileState::TextColour:
            canvas.setTextColour(colourRef(uint32_t(parameter.value_or(0))));
            break;
        case MetafileState::TextAlign:
            canvas.setTextAlign(uint32_t(parameter.value_or(0)));
            break;
        case MetafileState::PolyFillMode:
            canvas.setWindingFill(parameter.value_or(1) == 2);
            break;
        case MetafileState::SaveDc:
            canvas.save();
            break;
        case MetafileState::RestoreDc:
            return canvas.restore(int(parameter.value_or(-1)));
    }
    return false;
}
