#pragma once

// What a save does when another planner has saved the plan since it was opened.
enum class Overskrivning {
    Spoerg, // ask the planner
    Afvis,  // refuse with a message
    Tillad  // overwrite
};
