#include "unassigned_reads.h"

void BeginUnassignedReads() {
  using namespace UnassignedReadsState;
  // A new number leaves every symbol unlisted at once, however many the last parse listed.
  ++Parse;
  First = Last = nullptr;
}

void ForgetUnassignedReads() { UnassignedReadsState::First = UnassignedReadsState::Last = nullptr; }
