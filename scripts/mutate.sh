#!/usr/bin/env bash
# Mutation check, run by hand: puts small plausible faults into the code one
# at a time, rebuilds the program and the test binaries, and runs the unit,
# GL, end-to-end and desktop tests against each, a layer at a time. A test that fails
# is run twice more on its own, and kills the fault only if it fails all
# three times: a failure that does not repeat says nothing about the fault.
# Each kill is printed with its test and the first line of its failure. A
# fault that no test notices ("survived") is a gap in the suite, unless its
# line below says why it cannot be seen.
#
#   scripts/mutate.sh          every mutant
#   scripts/mutate.sh 3 17     only these (numbered as printed)
#
# It works on a copy of the tree under ${MUTATE_DIR:-/tmp/orbitrand-mutants}
# with a build of its own (through ccache where it is installed), and never
# touches this tree or its build.
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
work=${MUTATE_DIR:-/tmp/orbitrand-mutants}

# One mutant a line: file @@ exact text, found once in the file ("\n" for a
# line break) @@ its replacement (nothing: the text is dropped) @@ the fault
# @@ why no test can notice it, for those known to be unobservable.
mutants=$(cat <<'TABLE'
app/shutdown.cpp @@ ChangeDisplaySettingsA(nullptr, 0); @@  @@ shutdown no longer returns to the desktop mode
app/shutdown.cpp @@ destroyWorldLists(); @@  @@ shutdown leaks the world
app/shutdown.cpp @@ ShowCursor(TRUE); @@  @@ the cursor stays hidden after shutdown
app/window_proc.cpp @@ wParam == 1 || wParam == 2 @@ wParam == 1 @@ activation by a click (wParam 2) deactivates
app/window_proc.cpp @@ wParam == 1 || wParam == 2 @@ wParam != 0 @@ any other wParam activates
app/window_proc.cpp @@ if (g_app.active == wasActive) return; @@  @@ a repeated activation switches again
app/window_proc.cpp @@ case 'E': controller->thruster = Dorsal; break; @@ case 'E': controller->thruster = Ventral; break; @@ E selects the ventral thruster
app/window_proc.cpp @@ if (!controller->rotating) controller @@ controller @@ Tab toggles the mode while turning
app/window_proc.cpp @@ ShowCursor(FALSE); @@  @@ the cursor is never hidden
app/frame_clock.cpp @@ if (elapsedMs <= 0.0) return; @@  @@ a block of no time sets an infinite rate
app/frame_clock.cpp @@ QueryPerformanceCounter(&now);\n    g_clock.nowTicks = now.QuadPart;\n    setFrameRate @@ setFrameRate @@ the rate update reuses the frame's reading
app/frame_clock.cpp @@ g_clock.lastFrameTicks = g_clock.nowTicks; @@  @@ frame times grow from the start
app/frame_clock.cpp @@ g_frameCount = 0;\n} @@ } @@ the rate is set only once
app/main_window.cpp @@ CDS_FULLSCREEN @@ CDS_RESET @@ the start-up mode switch is not full-screen
app/main_window.cpp @@ != DISP_CHANGE_SUCCESSFUL @@ == DISP_CHANGE_FAILED @@ a mode the display lacks opens the window all the same
app/main_loop.cpp @@ } else if (g_app.active) { @@ }\n    if (g_app.active) { @@ a frame is composed after every message
app/main_loop.cpp @@ } else if (g_app.active) { @@ } else { @@ frames are composed while inactive
render/frame.cpp @@ drawWorld();\n  drawHud(); @@ drawHud();\n  drawWorld(); @@ the display is drawn before the world
render/frame.cpp @@ drawBackdrop();\n  drawWorld(); @@ drawWorld();\n  drawBackdrop(); @@ the backdrop is drawn over the world
render/frame.cpp @@ recentreWorld();\n  g_camera->updateView(); @@ g_camera->updateView();\n  recentreWorld(); @@ the view before the re-centring @@ the view depends on the ship's orientation only, never on positions
render/frame.cpp @@ for (SceneObject* object = g_objects; object; object = object->next) object->applyRotations();\n  recentreWorld();\n  g_camera->updateView(); @@ recentreWorld();\n  g_camera->updateView();\n  for (SceneObject* object = g_objects; object; object = object->next) object->applyRotations(); @@ the view before the rotations are applied
render/frame.cpp @@ glLoadMatrixf(g_camera->view.data()); @@  @@ objects are drawn without the view
render/frame.cpp @@ glClear(GL_DEPTH_BUFFER_BIT); @@  @@ the depth buffer is never cleared
render/frame.cpp @@ stepSimulation(g_frameSeconds);\n  updateFrameRate(); @@ updateFrameRate(); @@ the simulation stops
render/graphics.cpp @@ glEnable(GL_CULL_FACE); @@  @@ back faces are drawn
render/graphics.cpp @@ found[length] == ' ' || @@  @@ a name is found only at the end of the list
render/hud.cpp @@ glColor3f(0.0f, 1.0f, 0.0f); @@ glColor3f(1.0f, 1.0f, 1.0f); @@ the buffer-object line is white
render/hud.cpp @@ glDisable(GL_DEPTH_TEST);\n  glDisable(GL_TEXTURE_2D); @@ glDisable(GL_TEXTURE_2D); @@ the display is depth-tested against the world
render/hud.h @@ {33.0f, 32.0f},  {33.0f, 29.0f} @@ {33.0f, 29.0f},  {33.0f, 32.0f} @@ the mode and the thruster lines change places
render/hud.h @@ {33.0f, 26.0f}, @@ {33.0f, 23.0f}, @@ the power line stands lower
render/hud.cpp @@ } else if (line == kSpeedLine) {\n      glColor3f(1.0f, 1.0f, 1.0f);\n    } @@ } @@ the right column takes the buffer-object line's colour
render/splash.cpp @@ glRasterPos2f(-5.0f, -1.0f); @@ glRasterPos2f(-5.0f, 1.0f); @@ the splash stands above the centre
render/splash.cpp @@ glTranslatef(0.0f, 0.0f, -100.0f); @@ glTranslatef(0.0f, 0.0f, -50.0f); @@ the splash is placed on a nearer plane
render/font.cpp @@ * -20 / 1024 @@ * -20 / 800 @@ the text height follows another width
scene/scene_object.cpp @@ glRotatef(rotationX, 1.0f, 0.0f, 0.0f);\n  glRotatef(rotationY, 0.0f, 1.0f, 0.0f); @@ glRotatef(rotationY, 0.0f, 1.0f, 0.0f);\n  glRotatef(rotationX, 1.0f, 0.0f, 0.0f); @@ rotations about Y before X
scene/scene_object.cpp @@ rotationX = 0.0f;\n} @@ } @@ pitch increments are never cleared
scene/scene_object.cpp @@ glMultMatrixf(orientation.data()); @@  @@ objects are drawn unturned
scene/texture.cpp @@ GL_TEXTURE_MAG_FILTER, GL_LINEAR @@ GL_TEXTURE_MAG_FILTER, GL_NEAREST @@ textures are magnified blocky
scene/star_background.cpp @@ rotationY / -100.0 @@ rotationY / 100.0 @@ the stars scroll the wrong way on yaw
scene/star_background.cpp @@ glTexCoord2f(offsetU + repeatU, offsetV);\n    glVertex3i(g_display.Width, 0, 0); @@ glTexCoord2f(offsetU, offsetV);\n    glVertex3i(g_display.Width, 0, 0); @@ the top right corner takes the top left's texture coordinate
scene/star_background.cpp @@ glTexCoord2f(offsetU, offsetV + repeatV);\n    glVertex3i(0, g_display.Height, 0); @@ glTexCoord2f(offsetU, offsetV + repeatU);\n    glVertex3i(0, g_display.Height, 0); @@ the vertical repeat count taken from the horizontal one
scene/star_background.cpp @@ if (offsetU >= repeatU) offsetU -= repeatU; @@  @@ the horizontal offset never wraps
scene/star_background.cpp @@ if (offsetU >= repeatU) @@ if (offsetU > repeatU) @@ the horizontal offset wraps only past the repeat count
scene/star_background.cpp @@ if (offsetV >= repeatV) offsetV -= repeatV; @@  @@ the vertical offset never wraps
scene/star_background.cpp @@ if (offsetV >= repeatV) @@ if (offsetV >= repeatU) @@ the vertical offset wraps at the horizontal repeat count
scene/chase_camera.cpp @@ for (SceneObject* object = g_objects; object; object = object->next) *object->position -= shift; @@ for (SceneObject* object = g_objects->next; object; object = object->next) *object->position -= shift; @@ the first object is not re-centred
scene/vector3.cpp @@ 1e-6f @@ 1e-3f @@ short vectors are not normalised
scene/model_file_check.cpp @@ constexpr size_t kNameBuffer = 64; @@ constexpr size_t kNameBuffer = 65; @@ a name of 64 characters overflows lib3ds's buffer
sim/ship_controller.cpp @@ if (-step > w) w += step; @@  @@ negative rates are not braked
sim/ship_controller.cpp @@ w[0] == 0.0f && w[1] == 0.0f && w[2] == 0.0f @@ w[0] == 0.0f @@ stabilising ends when the pitch alone rests
sim/ship_controller.cpp @@ thrust.lengthSquared() >= body->velocity.lengthSquared() @@ thrust.lengthSquared() > body->velocity.lengthSquared() @@ braking stops the ship only past its speed
sim/flight_input.cpp @@ case Ventral: return ship.up; @@ case Ventral: return ship.up * -1.0; @@ the ventral thruster pushes down
sim/flight_input.cpp @@ controller.addRotation(dy / kPixelsPerDegree, dx / kPixelsPerDegree, 0.0f) @@ controller.addRotation(dx / kPixelsPerDegree, dy / kPixelsPerDegree, 0.0f) @@ pitch and yaw swapped
sim/flight_input.cpp @@ if (controller.power > 1.0f) controller.power = 1.0f; @@  @@ power can pass 100 %
sim/flight_input.cpp @@ if (controller.power < 0.0f) controller.power = 0.0f; @@  @@ power can fall below 0 %
sim/flight_input.cpp @@   if (held('F') @@   else if (held('F') @@ F does nothing while R is held
sim/flight_input.cpp @@ case Main: return ship.forward; @@ case Main: return Vector3(0.0, 0.0, -1.0); @@ the main thruster pushes along the world's -z, not the ship's nose
sim/flight_input.cpp @@ const Vector3 side = ship.forward.cross(ship.up); @@ const Vector3 side(1.0, 0.0, 0.0); @@ the side thrusters push along the world's x
sim/flight_input.cpp @@ thrustDirection(controller.thruster, *controller.ship) *\n                             static_cast<double>(controller.power) @@ thrustDirection(controller.thruster, *controller.ship) @@ thrust at full power whatever the setting
sim/simulation_step.cpp @@ applyGravity();\n  pollFlightInput(); @@ pollFlightInput();\n  applyGravity(); @@ gravity overwrites the pilot's thrust
sim/body.cpp @@ const float h = dt * dt / 2.0f; @@ const float h = dt * dt; @@ integration doubles the acceleration term
sim/body.cpp @@ const float h = dt * dt / 2.0f; @@ const double h = static_cast<double>(dt) * dt / 2.0; @@ the half step squared in double precision
sim/body.cpp @@ *position += velocity * static_cast<double>(dt) + acceleration * static_cast<double>(h); @@ *position += velocity * static_cast<double>(dt);\n  *position += acceleration * static_cast<double>(h); @@ the position advanced in two roundings
sim/body.cpp @@ dt * angularVelocity[axis] + h * angularAcceleration[axis] + *increment[axis] @@ *increment[axis] + dt * angularVelocity[axis] + h * angularAcceleration[axis] @@ the turning increment summed from the pending one
image/bmp_loader.cpp @@ out[0] = source[2]; @@ out[0] = source[0]; @@ red taken from blue
image/bmp_loader.cpp @@ source += width & 3; @@  @@ row padding is not skipped
image/bmp_loader.cpp @@ if (info.biWidth <= 0 || info.biHeight <= 0) return false; @@ if (info.biWidth <= 0) return false; @@ top-down pictures are converted
image/bmp_loader.cpp @@ return 16; @@ return 8; @@ 4-bit tables hold 8 entries
platform/user32/display_modes.cpp @@ !anyRate && mode.refreshRate != 0 && @@ !anyRate && @@ a mode of unknown rate matches no requested rate
platform/x11/desktop_guard_main.cpp @@ if (saved) platform::applyScreenLayout(display, *saved); @@  @@ the guard never puts the desktop mode back
platform/gdi32/pixel_format.cpp @@ !descriptor || !window || !window->openGl @@ !descriptor || !window @@ a window without OpenGL is offered a pixel format @@ its context then cannot be made, and start-up ends with code 2 all the same
platform/user32/message_box.cpp @@ told = true; @@  @@ a box that cannot be shown is said again for every message
platform/gdi32/dib_section.cpp @@ (x % 2 ? 0 : 4) @@ (x % 2 ? 4 : 0) @@ the two pixels of a 4-bit byte swapped
platform/gdi32/dib_section.cpp @@ masks[1] = five ? 0x03E0 @@ masks[1] = five ? 0x07E0 @@ 16-bit pixels without masks read as 5-6-5
scene/model_file_check.cpp @@ if (node != root && visits[node] == OnPath) return false; @@  @@ a node that is its own ancestor passes the check
platform/advapi32/registry.cpp @@ if (data && *dataSize < needed) { @@ if (data && *dataSize + 1 < needed) { @@ a buffer one byte short is overrun
platform/user32/keyboard.cpp @@ case WM_SYSKEYUP: @@  @@ keys released with Alt stay held
platform/user32/keyboard.cpp @@ case WM_LBUTTONUP: release(VK_LBUTTON); break; @@ case WM_LBUTTONUP: break; @@ the left button never comes up
platform/user32/input_events.cpp @@ queueForEveryWindow(WM_ACTIVATEAPP, FALSE, event.timestamp) @@ queueForEveryWindow(WM_ACTIVATEAPP, TRUE, event.timestamp) @@ losing the focus activates
platform/user32/window.cpp @@ sendMessage(handle, WM_NCDESTROY @@ sendMessage(handle, WM_DESTROY @@ destruction sends WM_DESTROY twice
platform/user32/window.cpp @@ platform::markFullScreen(sdl); @@ (void)sdl; @@ the full-screen window lacks the full-screen state
platform/x11/video.cpp @@ connection = connectionOfSdl(); @@ connection = XOpenDisplay(nullptr); @@ display modes go over a connection of their own
platform/x11/video.cpp @@ XSetIOErrorHandler(endForServerGone); @@  @@ a lost X server ends the program through Xlib's own exit
platform/x11/desktop_guard_main.cpp @@ XSetIOErrorHandler([](Display*) -> int { _exit(0); }); @@  @@ the guard reports the lost X server too
TABLE
)
mapfile -t records < <(grep -v '^$' <<<"$mutants")
# The fields of a record, one per line, with "\n" made a line break.
field() { FIELD=$2 perl -ne 'chomp; my @f = split / *@@ */, $_, -1; $_ = $f[$ENV{FIELD} - 1] // ""; s/\\n/\n/g; print' <<<"$1"; }

echo "Copying the tree to $work and building it once..."
# The files git knows of or would add. Only those whose content changed since
# the last run are copied, with a fresh time, so that the build redoes exactly
# what changed.
incoming="$work/incoming"
rm -rf "$incoming"
mkdir -p "$incoming" "$work/tree"
(cd "$top" && git ls-files -z --cached --others --exclude-standard | tar --null -T - -cf -) | tar -xf - -C "$incoming"
(cd "$incoming" && find . -type f -print0) | while IFS= read -r -d '' f; do
  cmp -s "$incoming/$f" "$work/tree/$f" || { mkdir -p "$(dirname "$work/tree/$f")" && cp "$incoming/$f" "$work/tree/$f"; }
done
(cd "$work/tree" && find . -type f -print0) | while IFS= read -r -d '' f; do
  [ -e "$incoming/$f" ] || rm -f "$work/tree/$f"
done
# The shared test data beside the checkout (the BMP Suite) is read in place.
[ -d "$top/../shared" ] && ln -sfn "$(cd "$top/../shared" && pwd)" "$work/shared"
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
CC=${CC:-clang} CXX=${CXX:-clang++} cmake -S "$work/tree" -B "$work/build" -DCMAKE_BUILD_TYPE=Release \
  "${launcher[@]}" >/dev/null || exit 1
targets=(orbitrand data unit_tests gl_tests e2e_tests desktop_tests)
build() { nice -n 10 cmake --build "$work/build" -j2 --target "${targets[@]}" >"$work/build.log" 2>&1; }
build || { echo "the unchanged tree does not build: $work/build.log"; exit 1; }

# The first failure in a test's output: gtest's file and line with the
# message (and the line after it where the message ends with a colon), or
# else how the test ended.
first_failure() {
  perl -ne '
    if (/^\S*?([^\/\s]+:\d+): Failure$/) { $at = "$1: "; next }
    if (defined $at) { chomp; s/^\s+//; $said .= ($said ? " " : "") . $_; if ($said !~ /:$/) { print "$at$said\n"; exit } }
    $ended = $1 if /\*\*\*(\S.*?)\s+[\d.]+ sec$/;
    END { print "$ended\n" if !defined $said && defined $ended }' "$1"
}

# The unit, the GL, the end-to-end, then the desktop tests. Each test that fails is
# run twice more; the first to fail three times of three kills, and goes with
# its failure's first line to $work/verdict. Those that failed only sometimes
# go to $work/unsteady. Each mutant, and each test run again, gets a virtual
# display of its own, so that a program killed in a failed test cannot leave
# its display mode to the next.
run_tests() {
  cd "$work/build" || return 1
  : >"$work/verdict"
  : >"$work/unsteady"
  for label in '^unit$' '^gl$' '^e2e$' '^desktop$'; do
    ctest -L "$label" -E 'demonstration' --timeout 300 >"$work/test.log" 2>&1 && continue
    # A failed test's name is its first word: a parameterized one's goes on with its parameter.
    for test in $(sed -n 's/^\s*[0-9]\+ - \([^ ]*\) .*(.*)$/\1/p' "$work/test.log"); do
      local failures=1
      for again in 2 3; do
        "$top/scripts/with-display.sh" ctest -R "^${test//./\\.}( |\$)" --output-on-failure --timeout 300 \
          >"$work/again-$again.log" 2>&1 ||
          failures=$((failures + 1))
      done
      if [ "$failures" = 3 ]; then
        echo "$test: $(first_failure "$work/again-3.log")" >"$work/verdict"
        return 1
      fi
      echo "$test failed $failures of 3 times" >>"$work/unsteady"
    done
  done
  return 0
}
export -f run_tests first_failure
export work top

selected=("$@")
killed=0 survived=0 total=0
for index in "${!records[@]}"; do
  number=$((index + 1))
  if [ ${#selected[@]} -gt 0 ] && [[ ! " ${selected[*]} " =~ " $number " ]]; then continue; fi
  rec=${records[$index]}
  file=$(field "$rec" 1) from=$(field "$rec" 2) to=$(field "$rec" 3)
  what=$(field "$rec" 4) why=$(field "$rec" 5)
  path="$work/tree/$file"
  count=$(FROM="$from" perl -0ne '$n = () = /\Q$ENV{FROM}\E/g; print $n' "$path")
  if [ "$count" != 1 ]; then
    printf '%2d  BROKEN    %s: the text is found %s times: %s\n' "$number" "$file" "$count" "$what"
    continue
  fi
  cp "$path" "$work/original"
  FROM="$from" TO="$to" perl -0pi -e 's/\Q$ENV{FROM}\E/$ENV{TO}/' "$path"
  if ! build; then
    fate="NO BUILD"
  elif env -u DISPLAY "$top/scripts/with-display.sh" bash -c run_tests; then
    fate="SURVIVED"
  else
    fate="killed"
  fi
  cp "$work/original" "$path"
  touch "$path"
  case $fate in
    killed) killed=$((killed + 1)); total=$((total + 1)) ;;
    SURVIVED) survived=$((survived + 1)); total=$((total + 1)) ;;
  esac
  by=$([ "$fate" = killed ] && cat "$work/verdict")
  unsteady=$([ "$fate" != "NO BUILD" ] && paste -sd ';' "$work/unsteady")
  printf '%2d  %-9s %s: %s%s%s%s\n' "$number" "$fate" "$file" "$what" "${why:+ (unobservable: $why)}" \
    "${by:+, by $by}" "${unsteady:+ [not repeated: $unsteady]}"
done
build >/dev/null
[ "$total" -gt 0 ] && echo "Score: $killed of $total mutants killed ($((100 * killed / total)) %), $survived survived."
