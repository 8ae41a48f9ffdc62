// The make procedures of the class's three interfaces: each allocates a new
// interface object on the owner instance and answers it through out.
#pragma once

#include "moa/moa_types.h"

struct InstanceObject;

namespace module {

MoaError MakeRegistrationInterface(InstanceObject* owner, void** out);
MoaError MakeScriptInterface(InstanceObject* owner, void** out);
MoaError MakeNotificationClientInterface(InstanceObject* owner, void** out);

}  // namespace module
