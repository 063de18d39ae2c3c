"""The figures a timetable is compared by, counted the same way for every source.

A week is given as {owner: {day: set of hours}} with days and hours counted from 0.

- gap hour: an hour of a day, after the owner's first and before its last
  lesson that day, where the owner has no lesson and that is no break of the
  school;
- split day: a (class or group, subject, day) whose hours of that subject do
  not form one unbroken run; a lesson of several classes counts for each.
"""

import collections


def huller(uge, pauser=frozenset()):
    """Gap hours per owner, e.g. {"7.a": 2}."""
    ud = {}
    for ejer, dage in uge.items():
        n = 0
        for dag, timer in dage.items():
            if timer:
                n += sum(1 for t in range(min(timer), max(timer)) if t not in timer and (dag, t) not in pauser)
        ud[ejer] = n
    return ud


def delte_dage(fagtimer):
    """Split days from {(set, subject): {day: set of hours}}: a list of (set, subject, day)."""
    ud = []
    for (saet, fag), dage in fagtimer.items():
        for dag, timer in dage.items():
            if timer and max(timer) - min(timer) + 1 != len(timer):
                ud.append((saet, fag, dag))
    return sorted(ud)


def ny_uge():
    return collections.defaultdict(lambda: collections.defaultdict(set))
