// The Xtra's only road to the host: its services obtained once by ID, the
// value and list operations built on them, the trace-log front door, message
// boxes and Sound cast member export.
#pragma once

#include <cstddef>
#include <cstdint>

#include "diag/status_record.h"
#include "host/host_text.h"
#include "host/host_text_choice.h"
#include "moa/imoa_callback.h"
#include "moa/imoa_dr_movie_context.h"
#include "moa/imoa_dr_player.h"
#include "moa/imoa_mm_list.h"
#include "moa/imoa_mm_value.h"
#include "moa/imoa_mm_wnd_win.h"
#include "moa/imoa_notification.h"
#include "platform/windows_api.h"

class HostBridge {
public:
    // Attaches at once; ownsTraceLog is false for the short-lived bridges of
    // a PropertyListBuilder, which leave the shared log alone.
    explicit HostBridge(IMoaCallback* callback, bool ownsTraceLog = true);
    ~HostBridge();
    HostBridge(const HostBridge&) = delete;
    HostBridge& operator=(const HostBridge&) = delete;

    // Both answer a record in its initial state: a service the host does not
    // give shows later as missing. Inline, so that a caller that drops the
    // answer makes no record at all.
    StatusRecord Attach(IMoaCallback* callback) {
        ObtainServices(callback);
        return StatusRecord();
    }
    StatusRecord Detach() {
        ReleaseServices();
        return StatusRecord();
    }

    // Property lists; names are plain texts, made into symbols here.
    MoaError AddIntegerProperty(MoaMmValue* propertyList, const char* name, int32_t value);
    MoaError AddFloatProperty(MoaMmValue* propertyList, const char* name, float value);
    MoaError AddTextProperty(MoaMmValue* propertyList, const char* name, const char* text);
    bool FindProperty(const MoaMmValue* propertyList, const char* name, MoaMmValue* out);
    bool GetIntegerProperty(const MoaMmValue* propertyList, const char* name, int32_t* out);
    bool GetFloatProperty(const MoaMmValue* propertyList, const char* name, float* out);
    bool GetTextProperty(const MoaMmValue* propertyList, const char* name, char* buffer, std::size_t capacity);

    // Call arguments and results. An argument at or past nargs does not read.
    // A text longer than the buffer arrives cut to it, as the host copies it:
    // a path goes into kPathBufferBytes, where a cut one is still too long.
    bool ReadTextArgument(const MoaMmCallInfo* call, int index, char* buffer, std::size_t capacity);
    bool ReadIntegerArgument(const MoaMmCallInfo* call, int index, int32_t* out);
    bool ReadFloatArgument(const MoaMmCallInfo* call, int index, float* out);
    const MoaMmValue* Argument(const MoaMmCallInfo* call, int index);
    MoaError MakeText(const char* text, MoaMmValue* out);
    MoaError MakeInteger(int32_t value, MoaMmValue* out);
    MoaError MakeFloat(double value, MoaMmValue* out);
    MoaError NewList(MoaMmValue* out);
    MoaError NewPropertyList(MoaMmValue* out);
    MoaError AppendToList(MoaMmValue* list, MoaMmValue* element);
    void Release(MoaMmValue* value);

    // Appends the trace form of value at buffer + *position, never past capacity.
    StatusRecord FormatValue(const MoaMmValue* value, char* buffer, std::size_t capacity, std::size_t* position);

    // The host's text, chosen once for the object; the log's first record
    // names it when the host said which Director it is.
    void UseHostText(const HostTextChoice& choice) { hostText_ = choice; }
    const HostText& Text() const { return hostText_.text; }

    // Trace-log front door.
    StatusRecord SetLogPath(const char* path);
    StatusRecord OpenLog();
    StatusRecord CloseLog();
    StatusRecord Trace(const char* text, const char* tag);
    StatusRecord TraceValues(int32_t count, const MoaMmValue* values);

    // A box owned by the host's parent window: one OK button, no icon.
    StatusRecord ShowMessage(const char* caption, const char* text);

    // Finds or creates the Sound member `name` in cast library castLib and
    // sets its media from image ("winWAVE"). The host copies the media, so
    // the image block is freed here on every path: the caller hands it over.
    StatusRecord SaveSoundAsMember(const char* name, int32_t castLib, HGLOBAL image);

    // Calls a movie handler of the movie that plays now, inside its
    // handler-call context; with no movie playing nothing is called. The
    // answer and the handler's result are not used.
    MoaError CallMovieHandler(const char* name, int32_t count, MoaMmValue* args);

    IMoaCallback* HostCallback() const { return callback_; }
    IMoaMmValue* ValueService() const { return value_; }
    IMoaMmList* ListService() const { return list_; }
    IMoaNotification* NotificationService() const { return notification_; }
    MoaMmHInst InstanceHandle() const { return instanceHandle_; }
    // The owner of message boxes and the audio device's cooperative level.
    MoaMmHWnd ParentWindow() const { return parentWindow_; }
    const char* LogPath() const { return logPath_; }

    StatusRecord status;

private:
    void ObtainServices(IMoaCallback* callback);
    void ReleaseServices();

    IMoaCallback* callback_ = nullptr;  // borrowed, never released
    IMoaMmWndWin* window_ = nullptr;
    IMoaMmValue* value_ = nullptr;
    IMoaMmList* list_ = nullptr;
    IMoaDrPlayer* player_ = nullptr;
    IMoaNotification* notification_ = nullptr;
    MoaMmHInst instanceHandle_ = nullptr;
    MoaMmHWnd parentWindow_ = nullptr;
    char logPath_[kPathBufferBytes] = {};
    HostTextChoice hostText_;
    bool ownsTraceLog_ = true;
};
