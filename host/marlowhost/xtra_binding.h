// The interpreter's host when it runs against the loaded Xtra: objects are
// made with new, methods are called by their registered names, the script's
// handlers answer the Xtra's calls through the player, and idle drives the
// Xtra's idle notification. Texts cross in the encoding of the Director
// played.
#pragma once

#include <deque>
#include <optional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "director_text.h"
#include "host_environment.h"
#include "script_error.h"
#include "test_host.h"
#include "transcript.h"
#include "xtra_loader.h"
#include "xtra_object.h"

namespace marlowhost {

class XtraBinding : public lingo::HostEnvironment {
public:
    XtraBinding(TestHost& host, XtraLoader& loader, Transcript& transcript, DirectorText text);
    ~XtraBinding() override;
    XtraBinding(const XtraBinding&) = delete;
    XtraBinding& operator=(const XtraBinding&) = delete;

    // Defines each named handler in the host's movie, answered by handlers.
    void ServeHandlers(lingo::MovieHandlers& handlers, const std::vector<std::string>& names);
    // After a script error the movie has stopped: the Xtra's later handler
    // calls find no script to run.
    void StopScript() { scriptStopped_ = true; }
    // Forgets the objects that are still held (by a list that holds
    // itself, say) when the movie ends.
    void ForgetLiveObjects();

    void PrintLine(const std::string& line) override { transcript_.Line(line); }
    void ShowMeter(int32_t left, int32_t right) override { transcript_.Meter(left, right); }
    lingo::Value NewObject(const std::string& xtraName, const std::vector<lingo::Value>& arguments, int line) override;
    bool HasMethod(const lingo::ScriptObject& object, const std::string& method) override;
    lingo::Value CallMethod(const std::string& method, const std::vector<lingo::Value>& arguments, int line) override;
    void ReleaseDroppedObjects() override;
    int32_t Milliseconds() override;
    void IdleTick(int32_t milliseconds) override;
    lingo::Value MemberInfo(const std::string& name, int32_t castLib) override;
    void Simulate(const std::vector<lingo::Value>& arguments, int line) override;

private:
    MoaMmValue AnswerHandler(lingo::MovieHandlers& handlers, const std::string& name,
                             const std::vector<MoaMmValue>& arguments);
    lingo::Value FromHost(const MoaMmValue& value, int line);
    std::vector<MoaMmValue> ToHost(const std::vector<lingo::Value>& values, size_t first, int line);
    void ReleaseAll(std::vector<MoaMmValue>& values);
    lingo::Value Adopt(MoaMmValue object);
    // A script error inside a handler the Xtra called is held until the
    // Xtra's call returns: it must not unwind through the Xtra.
    void RaiseHeldError();

    TestHost& host_;
    XtraLoader& loader_;
    Transcript& transcript_;
    DirectorText text_;
    std::map<XtraObject*, std::weak_ptr<XtraObject>> live_;
    std::deque<MoaMmValue> dropped_;
    std::optional<lingo::ScriptError> heldError_;
    bool scriptStopped_ = false;
    int currentLine_ = 0;
};

}  // namespace marlowhost
