#include "toolkit/handles.h"

namespace vl {
namespace {
// One GUI thread: plain counters suffice.
long g_live[static_cast<int>(HandleKind::Count)] = {};
}  // namespace

void CountHandle(HandleKind kind, int delta) { g_live[static_cast<int>(kind)] += delta; }

long LiveHandles(HandleKind kind) { return g_live[static_cast<int>(kind)]; }

long LiveHandles() {
  long total = 0;
  for (long n : g_live) total += n;
  return total;
}

}  // namespace vl
