#pragma once

// The maker's fixed texts in the headers of the generated files.

#include <string>

namespace velmora {

inline constexpr const char* kProductLine = "Velmora 1.0";
inline constexpr const char* kCopyrightLine = "Copyright (C) 2026 Vorn. All rights reserved.";
inline constexpr const char* kProductPage = "https://www.vorn.example/velmora/";
inline constexpr const char* kSupportPage = "https://www.vorn.example/velmora/support/";
// The address the page's mark-of-the-web comment names.
inline constexpr const char* kHomePage = "https://www.vorn.example/";

// The six comment lines that open the stylesheet and the configuration
// script.
void AppendMakerComment(std::string& out);
// The modern page's files open with one line naming the maker: they are the
// user's, loaded on every page, and carry no notice of ours.
void AppendMakerMark(std::string& out);

}  // namespace velmora
