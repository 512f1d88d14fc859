#pragma once

#include "store/CollectionElement.h"

#include <memory>
#include <vector>

// Notes read from a file for an import, in file order and not keyed; shared by whoever looks at them.
using NoteList = std::shared_ptr<std::vector<CollectionElement>>;
