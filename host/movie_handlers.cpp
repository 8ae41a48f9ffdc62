#include "movie_handlers.h"

#include "host_choices.h"
#include "host_values.h"
#include "movie_context.h"
#include "text_fold.h"

namespace marlowhost {

void MovieHandlers::Define(const std::string& name, MovieHandler handler) {
    byFoldedName_[FoldCase(name)] = Definition{name, std::move(handler)};
}

void MovieHandlers::Remove(const std::string& name) { byFoldedName_.erase(FoldCase(name)); }

bool MovieHandlers::IsDefined(const std::string& name) const { return byFoldedName_.count(FoldCase(name)) != 0; }

MoaError MovieHandlers::Call(MoaMmSymbol name, MoaLong nargs, const MoaMmValue* args, MoaMmValue* result) {
    std::string text;
    if (!store_.SymbolName(name, &text)) {
        if (result != nullptr) {
            *result = ValueStore::Void();
        }
        return kMoaErr_BadParam;
    }
    return Call(text, nargs, args, result);
}

MoaError MovieHandlers::Call(const std::string& name, MoaLong nargs, const MoaMmValue* args, MoaMmValue* result) {
    if (result != nullptr) {
        *result = ValueStore::Void();
    }
    if (nargs < 0 || (nargs > 0 && args == nullptr)) {
        return kMoaErr_BadParam;
    }
    auto found = byFoldedName_.find(FoldCase(name));
    if (found == byFoldedName_.end()) {
        missing_.push_back(name);
        return kMissingHandler;
    }
    std::vector<MoaMmValue> arguments(args, args + nargs);
    HandlerCall call;
    call.name = found->second.name;
    call.insideContext = context_->Depth() > 0;
    for (const MoaMmValue& argument : arguments) {
        call.arguments.push_back(LingoText(store_, argument));
    }
    calls_.push_back(std::move(call));
    // A copy: the handler may define or remove handlers while it runs.
    MovieHandler handler = found->second.handler;
    MoaMmValue answer = handler ? handler(arguments) : ValueStore::Void();
    if (result != nullptr) {
        *result = answer;
    } else {
        store_.Release(answer);
    }
    return kMoaErr_NoErr;
}

std::vector<HandlerCall> MovieHandlers::CallsOf(const std::string& name) const {
    std::vector<HandlerCall> matching;
    for (const HandlerCall& call : calls_) {
        if (SameName(call.name, name)) {
            matching.push_back(call);
        }
    }
    return matching;
}

void MovieHandlers::ClearRecords() {
    calls_.clear();
    missing_.clear();
}

}  // namespace marlowhost
