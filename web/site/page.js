// The page's glue: it loads the module (kinopa-web.js), hands it the
// pointer over the play field, the start button and the page's clock, and
// shows what the rules report. No rule of the game lives here.
//
// window.kinopaPage tells a test (tests/web/page.test.mjs) how the page is
// doing: ready, the error that stopped it, the state lines of the fixed run
// made at load, and the module's calls for reading the state.
"use strict";

(() => {
  const FIELD_WIDTH = 399;
  const FIELD_HEIGHT = 599;
  const FIXED_RUN_PASSES = 120;
  // kinopa::Control, in its order (src/game/ports.h).
  const CONTROLS = ["gamestart", "Command1", "Label4", "Label5", "Label6", "Label8"];

  const page = {
    ready: false,
    error: "",
    fixedRunPasses: FIXED_RUN_PASSES,
    fixedRun: "",
    framesDrawn: 0,
    serviceWorker: "",
  };
  window.kinopaPage = page;

  const status = document.getElementById("status");
  const stateView = document.getElementById("state");
  const canvas = document.getElementById("field");
  const context = canvas.getContext("2d");

  function fail(what) {
    if (!page.error) page.error = what;
    status.textContent = "Error: " + what;
    status.classList.add("failed");
    console.error("kinopa: " + what);
  }

  function loadPicture(url) {
    return new Promise((resolve, reject) => {
      const picture = new Image();
      picture.onload = () => resolve(picture);
      picture.onerror = () => reject(new Error("cannot load " + url));
      picture.src = url;
    });
  }

  async function registerServiceWorker() {
    if (!("serviceWorker" in navigator)) {
      page.serviceWorker = "unsupported";
      return;
    }
    try {
      await navigator.serviceWorker.register("sw.js");
      await navigator.serviceWorker.ready;
      page.serviceWorker = "ready";
    } catch (e) {
      page.serviceWorker = "failed";
      fail("the service worker did not start: " + e.message);
    }
  }

  async function start() {
    registerServiceWorker();
    const [module, resting, background] = await Promise.all([
      createKinopa(), loadPicture("art/field.bmp"), loadPicture("images/back.bmp"),
      document.fonts.load('16px "Kinopa Gothic"', "最高得点"),
    ]);
    const text = (name, argCount) => module.cwrap(name, "string", new Array(argCount).fill("number"));
    const call = (name, argCount) => {
      const f = module.cwrap(name, "number", new Array(argCount).fill("number"));
      return (...values) => {
        if (!f(...values)) throw new Error(module.UTF8ToString(errorText()) || name + " failed");
      };
    };
    const errorText = module.cwrap("kinopa_error", "number", []);
    const api = {
      startUp: call("kinopa_start_up", 0),
      pressStart: call("kinopa_press_start", 0),
      pointerMove: call("kinopa_pointer_move", 2),
      pointerUp: call("kinopa_pointer_up", 2),
      animationFrame: call("kinopa_animation_frame", 1),
      stateLine: text("kinopa_state_line", 0),
      caption: text("kinopa_caption", 1),
      shownFrame: text("kinopa_shown_frame", 0),
      fixedRun: text("kinopa_fixed_run", 1),
    };

    page.fixedRun = api.fixedRun(FIXED_RUN_PASSES);
    if (!page.fixedRun) throw new Error("the fixed run failed (see the console)");
    api.startUp();
    page.stateLine = api.stateLine;
    page.caption = (name) => api.caption(CONTROLS.indexOf(name));

    // The pointer in field pixels, wherever the page has put the canvas.
    const fieldPoint = (event) => {
      const box = canvas.getBoundingClientRect();
      return [(event.clientX - box.left) * FIELD_WIDTH / box.width,
              (event.clientY - box.top) * FIELD_HEIGHT / box.height];
    };
    const guarded = (handler) => (event) => {
      if (page.error) return;
      try {
        handler(event);
      } catch (e) {
        fail(e.message);
      }
    };
    canvas.addEventListener("pointermove", guarded((e) => api.pointerMove(...fieldPoint(e))));
    canvas.addEventListener("pointerup", guarded((e) => api.pointerUp(...fieldPoint(e))));
    const startButton = document.getElementById("gamestart");
    startButton.addEventListener("click", guarded(() => {
      api.pressStart();
      showCaptions();
    }));
    startButton.disabled = false;

    const shown = new Map();
    function showCaptions() {
      for (const name of ["gamestart", "Label4", "Label5", "Label6", "Label8"]) {
        const caption = page.caption(name);
        if (shown.get(name) === caption) continue;
        shown.set(name, caption);
        document.getElementById(name).textContent = caption;
      }
    }

    const COLOURS = { zarup: "rgba(230, 120, 40, 0.8)", melkit: "rgba(60, 120, 220, 0.8)",
                      tovrin: "rgba(240, 200, 40, 0.9)" };
    const SIZES = { zarup: [64, 55], melkit: [100, 40], tovrin: [84, 50] };
    // Until a game has shown a frame, the field's resting picture; then the
    // frame shown last, its sprites as boxes until the display code draws them.
    function draw(frame) {
      context.drawImage(frame.length ? background : resting, 0, 0);
      context.font = '13px "Kinopa Gothic"';
      context.textBaseline = "top";
      for (const d of frame) {
        if (d.kind === "line") {
          context.strokeStyle = "#333";
          context.beginPath();
          context.moveTo(d.x, d.y);
          context.lineTo(d.c, d.y);
          context.stroke();
          continue;
        }
        const [w, h] = SIZES[d.kind];
        context.fillStyle = COLOURS[d.kind];
        context.fillRect(d.x, d.y, w, h);
        context.fillStyle = "#000";
        context.fillText(d.kind + " " + d.c, d.x + 3, d.y + 3);
      }
    }

    function animationFrame(time) {
      if (page.error) return;
      try {
        api.animationFrame(time);
        const frame = api.shownFrame();
        if (!frame) throw new Error(module.UTF8ToString(errorText()));
        draw(JSON.parse(frame));
        showCaptions();
        stateView.textContent = api.stateLine();
        ++page.framesDrawn;
      } catch (e) {
        fail(e.message);
        return;
      }
      requestAnimationFrame(animationFrame);
    }
    requestAnimationFrame(animationFrame);
    status.textContent = "";
    page.ready = true;
  }

  start().catch((e) => fail(e.message));
})();
