// The drop area's OLE target, driven directly through its IDropTarget methods with in-test data
// objects, and registered on real windows.
#include "ui/file_drop_target.h"

#include "shared/file_list_data.h"

#include <shlobj.h>
#include <wrl/client.h>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

using Microsoft::WRL::ComPtr;

namespace {

ULONG ReferenceCount(IUnknown* object) {
    object->AddRef();
    return object->Release();
}

// A target whose handler records every text it is given.
struct RecordingTarget {
    std::shared_ptr<std::vector<std::string>> drops = std::make_shared<std::vector<std::string>>();
    ComPtr<FileDropTarget> target = FileDropTarget::Create(
        [drops = drops](const std::string& text) { drops->push_back(text); });
};

constexpr POINTL kAnywhere{10, 10};
constexpr DWORD kNone = DROPEFFECT_NONE;
constexpr DWORD kCopy = DROPEFFECT_COPY;
constexpr DWORD kMove = DROPEFFECT_MOVE;
constexpr DWORD kLink = DROPEFFECT_LINK;

// Enters, hovers and drops with one key state and set of allowed effects; keeps each effect.
struct DragOutcome {
    DWORD enter, over, drop;
    HRESULT dropResult;
};
DragOutcome DragAndDrop(FileDropTarget& target, IDataObject* data, DWORD keys, DWORD allowed) {
    DragOutcome outcome{allowed, allowed, allowed, S_OK};
    EXPECT_EQ(S_OK, target.DragEnter(data, keys, kAnywhere, &outcome.enter));
    EXPECT_EQ(S_OK, target.DragOver(keys, kAnywhere, &outcome.over));
    outcome.dropResult = target.Drop(data, keys, kAnywhere, &outcome.drop);
    return outcome;
}

TEST(FileDropTargetTest, EffectFollowsKeysAllowedEffectsAndData) {
    // Every real key state carries the mouse button too, which must not count as a modifier.
    const DWORD keyStates[] = {MK_LBUTTON, MK_LBUTTON | MK_CONTROL, MK_LBUTTON | MK_SHIFT,
                               MK_LBUTTON | MK_CONTROL | MK_SHIFT};
    struct Row {
        DWORD allowed;
        DWORD expected[4];  // for files, in the order of keyStates; other data always gets none
    };
    const Row rows[] = {
        //  allowed                  no key  Ctrl   Shift  Ctrl+Shift
        {kCopy | kMove | kLink, {kCopy, kCopy, kMove, kNone}},
        {kCopy,                 {kCopy, kCopy, kNone, kNone}},
        {kMove,                 {kMove, kNone, kMove, kNone}},
        {kLink,                 {kLink, kNone, kNone, kNone}},
        {kMove | kLink,         {kMove, kNone, kMove, kNone}},
        {kNone,                 {kNone, kNone, kNone, kNone}},
    };
    for (const Row& row : rows) {
        for (int k = 0; k < 4; ++k) {
            for (const bool files : {true, false}) {
                SCOPED_TRACE(testing::Message() << "allowed " << row.allowed << ", keys "
                                                << keyStates[k] << (files ? ", files" : ", text"));
                RecordingTarget recording;
                const ComPtr<OneFormatData> data =
                    files ? OneFormatData::Files<char>({"C:\\PS\\Photoshop.exe"})
                          : OneFormatData::Text("C:\\PS\\Photoshop.exe");
                const DWORD expected = files ? row.expected[k] : kNone;

                const DragOutcome outcome =
                    DragAndDrop(*recording.target.Get(), data.Get(), keyStates[k], row.allowed);

                EXPECT_EQ(expected, outcome.enter);
                EXPECT_EQ(expected, outcome.over);
                EXPECT_EQ(expected, outcome.drop);
                EXPECT_EQ(E_FAIL, outcome.dropResult);
                EXPECT_EQ(expected == kNone ? 0u : 1u, recording.drops->size());
                EXPECT_EQ(1u, ReferenceCount(data.Get())) << "the medium was not released";
            }
        }
    }
}

TEST(FileDropTargetTest, HandlerGetsOnePathOrEveryPathFollowedByCrLf) {
    const std::string chinese = "D:\\\xd6\xd0\xce\xc4\\Photoshop.exe";
    const std::string longPath = "C:\\" + std::string(300, 'x') + "\\Photoshop.exe";
    const struct {
        std::vector<std::string> paths;
        std::string expected;
    } cases[] = {
        {{"C:\\Program Files\\Adobe\\Photoshop.exe"}, "C:\\Program Files\\Adobe\\Photoshop.exe"},
        {{chinese}, chinese},
        {{longPath}, longPath},
        {{"C:\\a.exe", chinese, "C:\\b.lnk"}, "C:\\a.exe\r\n" + chinese + "\r\nC:\\b.lnk\r\n"},
        {{"C:\\a.exe", longPath}, "C:\\a.exe\r\n" + longPath + "\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        RecordingTarget recording;
        const ComPtr<OneFormatData> data = OneFormatData::Files<char>(c.paths);

        DragAndDrop(*recording.target.Get(), data.Get(), MK_LBUTTON, kCopy);

        ASSERT_EQ(1u, recording.drops->size());
        EXPECT_EQ(c.expected, recording.drops->front());
    }
}

// A drag ends with DragLeave or with Drop; either way a later DragOver or Drop without a new
// DragEnter belongs to no accepted drag.
TEST(FileDropTargetTest, DragLeaveAndDropForgetThatTheDataWasAccepted) {
    for (const bool endWithDrop : {false, true}) {
        SCOPED_TRACE(endWithDrop ? "ended by Drop" : "ended by DragLeave");
        RecordingTarget recording;
        FileDropTarget& target = *recording.target.Get();
        const ComPtr<OneFormatData> data = OneFormatData::Files<char>({"C:\\PS\\Photoshop.exe"});
        DWORD effect = kCopy;
        ASSERT_EQ(S_OK, target.DragEnter(data.Get(), MK_LBUTTON, kAnywhere, &effect));
        ASSERT_EQ(kCopy, effect);

        if (endWithDrop) {
            EXPECT_EQ(E_FAIL, target.Drop(data.Get(), MK_LBUTTON, kAnywhere, &effect));
            EXPECT_EQ(kCopy, effect);
        } else {
            EXPECT_EQ(S_OK, target.DragLeave());
        }
        const std::size_t drops = endWithDrop ? 1 : 0;
        ASSERT_EQ(drops, recording.drops->size());

        effect = kCopy;
        EXPECT_EQ(S_OK, target.DragOver(MK_LBUTTON, kAnywhere, &effect));
        EXPECT_EQ(kNone, effect);
        effect = kCopy;
        EXPECT_EQ(E_FAIL, target.Drop(data.Get(), MK_LBUTTON, kAnywhere, &effect));
        EXPECT_EQ(kNone, effect);
        EXPECT_EQ(drops, recording.drops->size());
        EXPECT_EQ(static_cast<int>(drops), data->getDataCalls);
    }
}

TEST(FileDropTargetTest, CountsItsReferencesAndDiesWithTheLast) {
    auto handlerState = std::make_shared<int>(0);
    ComPtr<FileDropTarget> owner = FileDropTarget::Create([handlerState](const std::string&) {});
    FileDropTarget* target = owner.Get();
    ASSERT_EQ(2, handlerState.use_count());
    EXPECT_EQ(1u, ReferenceCount(target));

    ComPtr<IUnknown> unknown;
    ComPtr<IDropTarget> dropTarget;
    EXPECT_EQ(S_OK, target->QueryInterface(IID_PPV_ARGS(&unknown)));
    EXPECT_EQ(S_OK, target->QueryInterface(IID_PPV_ARGS(&dropTarget)));
    EXPECT_EQ(static_cast<IDropTarget*>(target), dropTarget.Get());
    EXPECT_EQ(3u, ReferenceCount(target));
    ComPtr<IDataObject> notOffered;
    EXPECT_EQ(E_NOINTERFACE, target->QueryInterface(IID_PPV_ARGS(&notOffered)));
    EXPECT_EQ(nullptr, notOffered.Get());

    unknown.Reset();
    dropTarget.Reset();
    EXPECT_EQ(0u, owner.Reset());
    EXPECT_EQ(1, handlerState.use_count());
}


UniqueWindow PlainWindow(const wchar_t* windowClass) {
    return UniqueWindow(CreateWindowExW(0, windowClass, L"drop here", WS_OVERLAPPEDWINDOW, 0, 0,
                                        200, 100, nullptr, nullptr, GetModuleHandleW(nullptr),
                                        nullptr));
}

// Whether some other target could still register for the window.
bool IsFreeForAnotherTarget(HWND window) {
    RecordingTarget other;
    if (FAILED(RegisterDragDrop(window, other.target.Get()))) return false;
    RevokeDragDrop(window);
    return true;
}

TEST(FileDropTargetTest, RegistersForTheFirstWindowOnlyUntilRevoked) {
    const UniqueWindow first = PlainWindow(L"STATIC");
    const UniqueWindow second = PlainWindow(L"BUTTON");
    ASSERT_TRUE(first && second);
    RecordingTarget recording;
    FileDropTarget& target = *recording.target.Get();

    target.Register(first.Get());
    target.Register(second.Get());

    EXPECT_FALSE(IsFreeForAnotherTarget(first.Get()));
    EXPECT_TRUE(IsFreeForAnotherTarget(second.Get()));

    target.Revoke();

    EXPECT_TRUE(IsFreeForAnotherTarget(first.Get()));
    EXPECT_EQ(1u, ReferenceCount(&target)) << "the registration's reference was not given back";
}

TEST(FileDropTargetTest, FailedRegistrationLeavesTheTargetFreeToRegister) {
    const UniqueWindow window = PlainWindow(L"STATIC");
    ASSERT_TRUE(window);
    RecordingTarget taken;
    ASSERT_EQ(S_OK, RegisterDragDrop(window.Get(), taken.target.Get()));
    RecordingTarget recording;
    FileDropTarget& target = *recording.target.Get();

    target.Register(window.Get());  // refused: the window already has a target
    RevokeDragDrop(window.Get());
    target.Register(window.Get());

    EXPECT_FALSE(IsFreeForAnotherTarget(window.Get()));
    target.Revoke();
    EXPECT_TRUE(IsFreeForAnotherTarget(window.Get()));
}

}  // namespace
