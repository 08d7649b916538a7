// Placeholder: filled in by the work that builds it.
#pragma once

namespace vcl {}  // namespace vcl
