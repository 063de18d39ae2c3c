#pragma once

// The two parts of the lesson list: lessons that need a room of a special
// type, placed first, and lessons taught in the class's home room. The
// values are the letters the parts had.
enum class Del : char { saerlokale = 'b', stamlokale = 's' };
