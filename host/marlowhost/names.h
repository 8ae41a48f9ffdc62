// Lingo names, keywords and symbols are case-insensitive, as the host's are.
#pragma once

#include "text_fold.h"

namespace lingo {

using marlowhost::CompareWithoutCase;
using marlowhost::FoldCase;
using marlowhost::SameName;

}  // namespace lingo
