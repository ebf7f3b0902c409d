// What the classic map takes beside what every format takes: nothing; its
// shape is fixed.
#pragma once

namespace zorvitan {

struct ClassicOptions {};

}  // namespace zorvitan
