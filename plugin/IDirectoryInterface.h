#pragma once

#include "plugin/ICategoryMatcher.h"
#include "plugin/IInfoMatcher.h"
#include "plugin/INodeDisplayer.h"

// Everything the directory's result page and cards ask of the notes controller.
class IDirectoryInterface : public ICategoryMatcher, public IInfoMatcher, public INodeDisplayer {};
