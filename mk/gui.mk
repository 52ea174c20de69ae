# GUI tests and the documentation's screenshots. Included by the top-level
# Makefile (ROOT, WIN_BUILD, XVFB and the windows and wine-prefix targets come
# from it).
#   make test-gui         only the GUI tests of the Windows build, on a virtual display
#   make gui-screenshot   docs/main-window.png: the window after calculating t = 30;
#                         docs/message-box-*.png: the five message boxes;
#                         docs/main-window-144dpi.png: the window at 144 dpi after t = 30;
#                         docs/lookup-t106-*dpi.png, lookup-t111-*dpi.png: the numbers
#                         listed under the inputs, at 96 and 144 dpi

GUI_SCREENSHOT := $(ROOT)/docs/main-window.png
GUI_SCREENSHOT_144 := $(ROOT)/docs/main-window-144dpi.png

.PHONY: test-gui gui-screenshot

test-gui: windows wine-prefix print-spooler
	@$(XVFB) tools/with-wine-session.sh ctest --test-dir $(WIN_BUILD) -L gui --output-on-failure

gui-screenshot: windows wine-prefix
	@$(XVFB) tools/with-wine-session.sh env KINETORA_SOURCE=$(ROOT) \
	  KINETORA_APP=$(WIN_BUILD)/app/Kinetora.exe \
	  KINETORA_DRIVER=$(WIN_BUILD)/tests/gui/gui_driver.exe \
	  KINETORA_SUITE_DIR=$(WIN_BUILD)/app \
	  GUI_ARTEFACTS=$(WIN_BUILD)/gui-artefacts SCREENSHOT=$(GUI_SCREENSHOT) BOX_SHOTS=$(ROOT)/docs \
	  SCREENSHOT_144=$(GUI_SCREENSHOT_144) LOOKUP_SHOTS=$(ROOT)/docs \
	  bash -c 'bash tests/gui/run_case.sh screenshot && bash tests/gui/run_case.sh message_boxes && \
	    bash tests/gui/run_case.sh screens'
