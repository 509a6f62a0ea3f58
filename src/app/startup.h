#pragma once

namespace vl {

// The program's entry point, called once by the toolkit; returns after the main loop ends.
int StartUp();

}  // namespace vl
