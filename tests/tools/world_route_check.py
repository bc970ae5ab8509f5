#!/usr/bin/python3
"""The level generator's route checker: which hops it lets through, for which move, and when
a move may be used at all. Run by ctest from the source root."""

import os
import sys
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools"))

import make_world_assets as world  # noqa: E402


class Hops(unittest.TestCase):
    CASES = [
        # move, gap, rise, from width, to width, ceiling, reachable
        ("jump", 0, 1.5, 10, 10, None, True),
        ("jump", 4, 5.0, 10, 10, None, True),
        ("jump", 0, 5.6, 10, 10, None, True),      # the lift onto a ledge takes the feet the last bit
        ("jump", 0, 6.0, 10, 10, None, False),     # above the top of a jump and the lift
        ("dash", 0, 6.0, 10, 10, None, False),     # a dash does not climb
        ("throw", 0, 6.25, 10, 10, None, True),     # the package does
        ("throw", 0, 10.5, 10, 10, None, False),    # above the top of a throw
        ("throw", 4, 5.75, 10, 12, None, True),
        ("jump", 28, 0, 10, 10, None, True),        # air control carries a long jump far
        ("jump", 31, 0, 10, 10, None, False),
        ("jump", 7, 0, 12, 12, 2.6, False),         # a low ceiling cuts the jump short
        ("dash", 7, 0, 12, 12, 2.6, True),          # but not the dash
        ("dash", 12, 0, 12, 12, 2.6, True),
        ("dash", 17, 0, 12, 12, 2.6, False),
    ]

    def test_each_move_reaches_what_the_physics_allows(self):
        for move, gap, rise, width, to_width, ceiling, reachable in self.CASES:
            with self.subTest(move=move, gap=gap, rise=rise, ceiling=ceiling):
                self.assertEqual(world.can_hop(move, gap, rise, width, to_width, ceiling), reachable)

    def test_the_throw_window_narrows_as_the_ledge_rises_and_closes_under_a_ceiling(self):
        # gap, rise, ceiling, degrees either side of the middle aim (at least, at most)
        cases = [
            (0, 6.25, None, 9.5, 10.5),
            (4, 6.25, None, 9.5, 10.5),    # across a void, from nearer the edge
            (0, 9.5, None, 1.0, 3.0),      # near the top of a throw only a steep aim lands
            (0, 6.25, 7.0, 0.0, 0.0),      # a ceiling stops every aim that gets high enough
            (0, 10.5, None, 0.0, 0.0),
        ]
        for gap, rise, ceiling, low, high in cases:
            with self.subTest(gap=gap, rise=rise, ceiling=ceiling):
                window, aim, back = world.throw_window(gap, rise, 10, 10, ceiling)
                self.assertGreaterEqual(window, low)
                self.assertLessEqual(window, high)
                if window:
                    self.assertTrue(world.can_hop("throw", gap, rise, back + 1, 10, ceiling))
                    self.assertTrue(45 < aim < 90, aim)

    def test_the_jump_height_is_the_one_the_engine_gives(self):
        # A jump of 0.25 against 0.006 of gravity, a third of it near the apex.
        self.assertAlmostEqual(world.jump_height(), 5.49, places=2)


class Progression(unittest.TestCase):
    def level(self, taught=()):
        level = world.Level("Check", kill_plane=-40.0, taught=taught)
        level.floor("Ground", 0, 10, 10, 4)
        return level

    def test_a_move_is_refused_before_it_is_taught(self):
        level = self.level()
        level.teach("jump")
        level.floor("Ground", 15, 10, 10, 4, move="dash")
        with self.assertRaisesRegex(AssertionError, "before it is taught"):
            level.check()

    def test_a_move_taught_here_or_in_an_earlier_level_is_allowed(self):
        level = self.level()
        level.teach("jump")
        level.teach("dash", "TutorialDash", 2, 10)
        level.floor("Ground", 15, 10, 10, 4, move="dash")
        level.check()
        following = world.Level("Next", kill_plane=-40.0, taught=level.taught)
        following.floor("Ground", 0, 10, 10, 4)
        following.floor("Ground", 15, 10, 10, 4, move="dash")
        following.check()

    def test_an_out_of_reach_hop_is_refused(self):
        level = self.level({"jump"})
        level.floor("Ground", 10, 3, 10, 11)
        with self.assertRaisesRegex(AssertionError, "out of reach"):
            level.check()

    def test_a_throw_hop_needs_a_wide_landing_window_and_no_jump_or_dash_to_make_it(self):
        cases = [
            # rise, ceiling, the check's complaint (None: accepted)
            (6.25, None, None),
            (5.75, None, "could be made by a jump"),   # the lift onto the ledge would carry a jump up
            (9.5, None, "lands from an aim of only"),
        ]
        for rise, ceiling, complaint in cases:
            with self.subTest(rise=rise):
                level = self.level({"jump", "dash", "throw"})
                level.floor("Ground", 10, 10 - rise, 10, 4 + rise, move="throw", headroom=ceiling)
                if complaint is None:
                    level.check()
                else:
                    with self.assertRaisesRegex(AssertionError, complaint):
                        level.check()

    def test_a_ride_must_end_where_a_waypoint_stops_the_platform(self):
        level = self.level({"jump", "ride"})
        level.floor("MovingPlatform", 12, 10, 3, 0.5, TargetWaypointID=1)
        world.platform_route(level, 1, [(13.5, 10.25), (23.5, 6.25)], 0.05)
        level.ride_to(22, 6, 3)
        level.check()
        level.ride_to(30, 6, 3)
        with self.assertRaisesRegex(AssertionError, "no waypoint"):
            level.check()

    def test_a_sign_may_not_cover_a_floor(self):
        level = self.level({"jump"})
        level.sign("TutorialJump", 2, 13)
        with self.assertRaisesRegex(AssertionError, "sign"):
            level.check()

    def test_the_death_wall_route_must_pass_the_restart_waypoint(self):
        level = self.level({"jump"})
        with self.assertRaisesRegex(AssertionError, "32"):
            world.death_wall(level, [(0, 0, 0.1), (10, 0, 0.1)])

    def test_the_games_levels_pass(self):
        taught = set()
        throws = 0
        for make in (world.level_one, world.level_two, world.level_three):
            level = make(taught)
            level.check()
            taught = level.taught
            throws += sum(hop["move"] == "throw" for hop in level.route)
        self.assertEqual(taught, set(world.MOVES))
        self.assertEqual(throws, 2)


if __name__ == "__main__":
    unittest.main()
