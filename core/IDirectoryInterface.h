#pragma once

#include "core/ICategoryMatcher.h"
#include "core/IInfoMatcher.h"
#include "core/INodeDisplayer.h"

// Everything the directory's result page and cards ask of the notes controller.
class IDirectoryInterface : public ICategoryMatcher, public IInfoMatcher, public INodeDisplayer {};
