#pragma once

#include <string>
#include <string_view>

namespace platform {

/// A caption as a reader speaks it: without the "&" that marks its access key ("&&" stays one
/// "&").
std::string SpokenCaption(std::string_view caption);

/// The key binding of a caption's access key as readers show it, "<Alt>y" for "&Yes"; empty
/// when the caption has none.
std::string AccessKeyBinding(std::string_view caption);

}  // namespace platform
