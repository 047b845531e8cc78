#pragma once
// A drag as the system's drag loop runs it, for tests that replace the
// framework's dragLoop seam (framework/win/FrameworkSeams.h): at every
// step the source is asked whether to go on (QueryContinueDrag), the
// target under the pointer gets DragEnter, DragOver or DragLeave, and the
// source gets GiveFeedback with the target's effect; the step on which the
// source answers DRAGDROP_S_DROP drops on the target under it.
//
//     ScopedSeam loop(g_frameworkSeams.dragLoop, [&](IDataObject* data, IDropSource* source, DWORD ok, DWORD* effect) {
//         return trovtest::RunDragSteps(data, source, ok, effect,
//             {{target, {10, 10}, MK_LBUTTON}, {target, {12, 10}, 0}});
//     });
#include "framework/win/WinSdk.h"

#include <ole2.h>

#include <vector>

namespace trovtest {

struct DragStep {
    IDropTarget* target;  // under the pointer; null: over nothing that accepts drops
    POINT screenPoint;
    DWORD keyState;       // MK_ bits; the drag's button released drops
    BOOL escape = FALSE;  // Escape pressed at this step
};

// What the steps gave the source: GiveFeedback's effects in order.
struct DragRecord {
    std::vector<DWORD> feedbackEffects;
    std::vector<HRESULT> feedbackResults;
};

inline HRESULT RunDragSteps(IDataObject* data, IDropSource* source, DWORD okEffects, DWORD* effect,
                            const std::vector<DragStep>& steps, DragRecord* record = nullptr)
{
    IDropTarget* current = nullptr;
    *effect = DROPEFFECT_NONE;
    for (const DragStep& step : steps) {
        const POINTL point = {step.screenPoint.x, step.screenPoint.y};
        const HRESULT go = source->QueryContinueDrag(step.escape, step.keyState);
        if (go == DRAGDROP_S_DROP) {
            DWORD dropped = DROPEFFECT_NONE;
            if (step.target != current && current != nullptr)
                current->DragLeave();
            if (step.target != nullptr) {
                if (step.target != current) {
                    DWORD entered = okEffects;
                    step.target->DragEnter(data, step.keyState, point, &entered);
                }
                dropped = okEffects;
                step.target->Drop(data, step.keyState, point, &dropped);
            }
            *effect = dropped;
            return DRAGDROP_S_DROP;
        }
        if (go != S_OK) {
            if (current != nullptr)
                current->DragLeave();
            return DRAGDROP_S_CANCEL;
        }
        DWORD now = DROPEFFECT_NONE;
        if (step.target != current) {
            if (current != nullptr)
                current->DragLeave();
            current = step.target;
            if (current != nullptr) {
                now = okEffects;
                current->DragEnter(data, step.keyState, point, &now);
            }
        } else if (current != nullptr) {
            now = okEffects;
            current->DragOver(step.keyState, point, &now);
        }
        const HRESULT feedback = source->GiveFeedback(now);
        if (record != nullptr) {
            record->feedbackEffects.push_back(now);
            record->feedbackResults.push_back(feedback);
        }
    }
    // The steps ran out with the button still held: the drag is abandoned.
    if (current != nullptr)
        current->DragLeave();
    return DRAGDROP_S_CANCEL;
}

} // namespace trovtest
