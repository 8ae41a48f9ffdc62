// The stand-in for Director: owns every service the Xtra asks for through
// the object header's callback, and the objects the host makes.
//
//   marlowhost::TestHost host;
//   host.Callback(), host.Calloc()      the header's pCallback and pCalloc
//   host.Values()                       make and read values, LingoText
//   host.Handlers().Define("Marlowtide_XtraError", fn)
//   host.Movie().Cast(1)->MemberNamed("take")
//   host.Idle()                         one idle tick
//   host.Services().Withhold(IID_IMoaMmWndWin)
//   host.PlayDirector("11.5")           offer IMoaAppInfo as that version
//   host.GoToMovie(2)                   another movie plays, as after `go to movie`
#pragma once
#include <string>

#include "app_info_service.h"
#include "cast_library.h"
#include "host_allocator.h"
#include "host_callback.h"
#include "host_objects.h"
#include "host_values.h"
#include "list_service.h"
#include "movie_context.h"
#include "movie_handlers.h"
#include "movie_service.h"
#include "notification_service.h"
#include "player_service.h"
#include "registry_cache.h"
#include "utility_service.h"
#include "value_service.h"
#include "value_store.h"
#include "window_service.h"

namespace marlowhost {

class TestHost {
public:
    // Movie 1 open, and movie 2 to go to, each with its own handler-call
    // context and one cast library ("Internal", kDefaultCastSlots slots).
    TestHost();
    ~TestHost();
    TestHost(const TestHost&) = delete;
    TestHost& operator=(const TestHost&) = delete;

    IMoaCallback* Callback() { return &callback_; }
    IMoaCalloc* Calloc() { return &allocator_; }

    HostValues& Values() { return values_; }
    ValueStore& Store() { return store_; }
    HostAllocator& Memory() { return allocator_; }
    HostCallback& Services() { return callback_; }
    RegistryCache& Registry() { return registry_; }
    MovieHandlers& Handlers() { return handlers_; }
    // The movie that plays, and its context.
    MovieContext& Context() { return *activeContext_; }
    MovieService& Movie() { return *activeMovie_; }
    PlayerService& Player() { return player_; }
    ValueService& ValueServiceObject() { return valueService_; }
    ListService& ListServiceObject() { return listService_; }
    UtilityService& Utilities() { return utilities_; }
    WindowService& Window() { return window_; }
    NotificationService& Notifications() { return notifications_; }
    HostObjects& Objects() { return objects_; }
    AppInfoService& AppInfo() { return appInfo_; }

    // The callback offers IMoaAppInfo answering this ProductVersion; empty
    // (the default) offers none, as a host that predates it.
    void PlayDirector(const std::string& version);

    // Director's `go to movie`: movie 1 (the first) or 2 plays from now on.
    // The handlers stay, as the scripts of both movies define them.
    void GoToMovie(int number);

    // One idle tick; answers the number of clients notified.
    int Idle() { return notifications_.Idle(); }

    // References to services (and to the callback) the Xtra took and has
    // not given back; movie, casts and members included.
    int OutstandingServiceReferences() const;
    // Releases past 0 on any service: always a fault of the caller.
    int ServiceOverReleases() const;

private:
    ValueStore store_;
    HostValues values_{store_};
    HostAllocator allocator_;
    RegistryCache registry_;
    HostCallback callback_{&registry_};
    MovieContext context_;
    MovieHandlers handlers_{store_, context_};
    MovieService movie_{store_, handlers_, context_};
    MovieContext secondContext_;
    MovieService secondMovie_{store_, handlers_, secondContext_};
    MovieService* activeMovie_ = &movie_;
    MovieContext* activeContext_ = &context_;
    PlayerService player_{movie_, handlers_};
    ValueService valueService_{store_};
    ListService listService_{store_};
    UtilityService utilities_;
    WindowService window_;
    NotificationService notifications_;
    AppInfoService appInfo_;
    HostObjects objects_{&callback_, &allocator_};
};

}  // namespace marlowhost
