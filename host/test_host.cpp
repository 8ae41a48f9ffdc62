#include "test_host.h"

#include <initializer_list>

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
    secondMovie_.AddCastLibrary("Internal", kDefaultCastSlots);
    PlayDirector("");
}

void TestHost::GoToMovie(int number) {
    activeMovie_ = number == 2 ? &secondMovie_ : &movie_;
    activeContext_ = number == 2 ? &secondContext_ : &context_;
    player_.SetActiveMovie(*activeMovie_);
    handlers_.UseContext(*activeContext_);
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
                     player_.References() + valueService_.References() + listService_.References() +
                     utilities_.References() + window_.References() + notifications_.References() +
                     appInfo_.References();
    for (const MovieService* movie : {&movie_, &secondMovie_}) {
        references += movie->References();
        for (int number = 1; number <= movie->CastCount(); ++number) {
            references += movie->Cast(number)->References() + movie->Cast(number)->MemberReferences();
        }
    }
    return references + context_.References() + secondContext_.References();
}

int TestHost::ServiceOverReleases() const {
    int overReleases = callback_.OverReleases() + allocator_.OverReleases() + registry_.OverReleases() +
                       player_.OverReleases() + valueService_.OverReleases() + listService_.OverReleases() +
                       utilities_.OverReleases() + window_.OverReleases() + notifications_.OverReleases() +
                       appInfo_.OverReleases();
    for (const MovieService* movie : {&movie_, &secondMovie_}) {
        overReleases += movie->OverReleases();
        for (int number = 1; number <= movie->CastCount(); ++number) {
            overReleases += movie->Cast(number)->OverReleases();
        }
    }
    return overReleases + context_.OverReleases() + secondContext_.OverReleases();
}

}  // namespace marlowhost
