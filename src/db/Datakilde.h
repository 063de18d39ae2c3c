#pragma once

// Where planning data are read from and saved to: the database, or text
// files in the working folder. The values are the letters the modes had.
enum class Datakilde : char { database = 'd', tekstfiler = 'f' };
