#include "test_host.h"

#include "host_choices.h"
#include "moa/imoa_dr_utils.h"

namespace marlowhost {

TestHost::TestHost() {
    callback_.Provide(IID_IMoaMmValue, &valueService_);
    callback_.Provide(IID_IMoaMmList, &listService_);
    callback_.Provide(IID_IMoaDrPlayer, &player_);
    callback_.Provide(IID_IMoaDrUtils, &utilities_);
    callback_.Provide(IID_IMoaMmWndWin, &window_);
    callback_.Provide(IID_IMoaNotification, &notifications_);
    callback_.Provide(IID_IMoaCalloc, &allocator_);
    callback_.Provide(IID_IMoaCache, &registry_);
    movie_.AddCastLibrary("Internal", kDefaultCastSlots);
    PlayDirector("");
}

void TestHost::PlayDirector(const std::string& version) {
    appInfo_.SetProductVersion(version);
    callback_.Provide(IID_IMoaAppInfo, version.empty() ? nullptr : &appInfo_);
}

TestHost::~TestHost() {
    // Releasing a client reaches into the objects, which must still be there.
    notifications_.DropAll();
}

int TestHost::OutstandingServiceReferences() const {
    int references = callback_.References() + allocator_.References() + registry_.References() +
                     context_.References() + movie_.References() + player_.References() +
                     valueService_.References() + listService_.References() + utilities_.References() +
                     window_.References() + notifications_.References() + appInfo_.References();
    for (int number = 1; number <= movie_.CastCount(); ++number) {
        references += movie_.Cast(number)->References() + movie_.Cast(number)->MemberReferences();
    }
    return references;
}

int TestHost::ServiceOverReleases() const {
    int overReleases = callback_.OverReleases() + allocator_.OverReleases() + registry_.OverReleases() +
                       context_.OverReleases() + movie_.OverReleases() + player_.OverReleases() +
                       valueService_.OverReleases() + listService_.OverReleases() + utilities_.OverReleases() +
                       window_.OverReleases() + notifications_.OverReleases() + appInfo_.OverReleases();
    for (int number = 1; number <= movie_.CastCount(); ++number) {
        overReleases += movie_.Cast(number)->OverReleases();
    }
    return overReleases;
}

}  // namespace marlowhost
