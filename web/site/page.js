// The page's glue: it runs the game's module (kinopa-web.js) as a window
// would. It hands the module the player's events, shows what the module
// says (captions, the play field's pixels, message boxes, the sound
// settings), plays the module's sounds through Web Audio, keeps the player's
// files in the browser's storage, and schedules the main loop's steps. No
// rule of the game, and no file format, lives here.
//
// window.kinopaHost is what the module calls; window.kinopaPage is what the
// tests (tests/web/page.test.mjs) look at the game through.
"use strict";

(() => {
  const ENDED = -2;  // kinopa_step: the program has ended
  const JAPANESE = (navigator.language || "").toLowerCase().startsWith("ja");
  // The page in the player's language; the game's windows keep their
  // Japanese captions in every language, as the game was made.
  document.documentElement.lang = JAPANESE ? "ja" : "en";
  // The page's own sentences come from the module, translated as every
  // sentence of the game is (translations/kinopa_ja.ts).
  const say = (name) => (api ? api.sentence(name) : "");
  // The game's own files, fetched into the module's file system before it
  // starts; the sounds once the settings load them (see fetchSounds).
  const PICTURES = ["back.bmp", "zarup.bmp", "melkit.bmp", "tovrin.bmp", "text.bmp"];

  const page = { ready: false, error: "", boxes: [], serviceWorker: "" };
  window.kinopaPage = page;
  const $ = (id) => document.getElementById(id);
  const canvas = $("Picture1");
  const context = canvas.getContext("2d");
  const menu = $("SoundMenu");
  // The controls the rules write, by their number in kinopa::Control.
  const ruled = [];
  for (const e of document.querySelectorAll("#draw_w [data-control]")) ruled[Number(e.dataset.control)] = e;
  const labels = makeLabels();

  let module = null;
  let api = null;
  let running = false;        // the program runs (not ended, no error)
  let watching = false;
  let watchRun = 0;           // the latest watch: one before it stops its loops
  let switching = false;      // a session ends to give way to another
  let framePending = false;
  let stepTimer = null;
  let drawRequested = false;
  let shownSerial = -1;

  // --- The window on the page: the whole of it on the screen -------------------
  // A crisp scale (whole device pixels a game pixel) is taken while it keeps
  // the window at least this share of the largest that fits: at 1920 x 1080
  // and device scale 2, 1.5 (3 device pixels) for 1.8.
  const CRISP_WITHIN = 0.8;
  const SIDE = { least: 180, most: 400, gap: 16 };  // the side beside the window, px
  // The window as large as the viewport lets it be, its side below it or
  // beside it (the caption line and the links within the viewport too), at
  // a scale by whole device pixels where that is crisp and within reason,
  // else at the largest. It publishes on the root element, in CSS pixels of
  // the page, for what places itself over the game: --kinopa-scale, and the
  // play field's --kinopa-field-left, -top, -width and -height; then a
  // "kinopa-fit" event.
  function fit() {
    const game = $("game"), room = $("room"), side = $("side"), window_ = $("draw_w");
    const width = document.documentElement.clientWidth, height = window.innerHeight;
    const w = window_.offsetWidth, h = window_.offsetHeight;
    game.classList.replace("wide", "tall");
    side.style.width = "";
    const head = $("below").getBoundingClientRect().bottom - side.getBoundingClientRect().top;
    const tall = Math.min(width / w, (height - head) / h);
    const wide = Math.min((width - SIDE.least - SIDE.gap) / w, height / h);
    const largest = Math.max(tall, wide);
    const ratio = window.devicePixelRatio || 1;
    const crisp = Math.floor(largest * ratio + 1e-9) / ratio;
    const scale = crisp >= CRISP_WITHIN * largest ? crisp : largest;
    const onPixel = (x) => Math.max(0, Math.round(x * ratio) / ratio);
    $("stage").style.transform = `scale(${scale})`;
    room.style.width = `${w * scale}px`;
    room.style.height = `${h * scale}px`;
    if (wide > tall) {
      game.classList.replace("tall", "wide");
      const sideWidth = Math.min(SIDE.most, width - w * scale - SIDE.gap);
      side.style.width = `${sideWidth}px`;
      side.style.marginLeft = `${SIDE.gap}px`;
      room.style.marginLeft = `${onPixel((width - w * scale - SIDE.gap - sideWidth) / 2)}px`;
    } else {
      side.style.marginLeft = "";
      room.style.marginLeft = `${onPixel((width - w * scale) / 2)}px`;
    }
    page.scale = scale;
    const root = document.documentElement.style;
    root.setProperty("--kinopa-scale", String(scale));
    const field = canvas.getBoundingClientRect();
    for (const [name, value] of [["left", field.left + window.scrollX], ["top", field.top + window.scrollY],
                                 ["width", field.width], ["height", field.height]])
      root.setProperty(`--kinopa-field-${name}`, `${value}px`);
    labels.fit(scale * ratio);
    window.dispatchEvent(new Event("kinopa-fit"));
  }

  function translate() {
    for (const e of document.querySelectorAll("[data-ja]")) e.textContent = JAPANESE ? e.dataset.ja : e.dataset.en;
    for (const e of document.querySelectorAll("#about [lang]")) e.hidden = e.lang !== (JAPANESE ? "ja" : "en");
  }

  // Full screen, where the browser has it: the same window, fitted anew.
  const fullScreen = $("fullScreen");
  function showFullScreen() {
    if (api) fullScreen.textContent = say(document.fullscreenElement ? "leaveFullScreen" : "fullScreen");
  }
  fullScreen.hidden = !document.fullscreenEnabled;
  fullScreen.addEventListener("click", () => {
    const asked = document.fullscreenElement ? document.exitFullscreen()
                                             : document.documentElement.requestFullscreen({ navigationUI: "hide" });
    asked.catch(() => {});  // refused: the page stays as it is
  });
  document.addEventListener("fullscreenchange", () => {
    showFullScreen();
    fit();
  });
  translate();
  showFullScreen();
  fit();
  window.addEventListener("resize", fit);

  // --- Dialogs: the page's own <dialog>s, scaled with the window and centred
  // over the play field, never over the buttons beside it. A modal one keeps
  // the focus and the player's game waits while one is open, its clock
  // standing; Escape is its Cancel (or its OK, where OK is all it has).
  function placeDialog(dialog) {
    if (!dialog.open) return;
    const scale = parseFloat(getComputedStyle(document.documentElement).getPropertyValue("--kinopa-scale")) || 1;
    const field = canvas.getBoundingClientRect();
    const width = dialog.offsetWidth * scale, height = dialog.offsetHeight * scale;
    const within = (at, size, room) => Math.max(0, Math.min(at, room - size));
    dialog.style.left = `${within(field.left + (field.width - width) / 2, width, window.innerWidth)}px`;
    dialog.style.top = `${within(field.top + (field.height - height) / 2, height, window.innerHeight)}px`;
  }
  function placeDialogs() { document.querySelectorAll("dialog").forEach(placeDialog); }
  // Once the window is fitted anew.
  for (const fitted of ["resize", "kinopa-fit"]) window.addEventListener(fitted, placeDialogs);
  function openDialog(dialog, modal) {
    if (dialog.open) return;
    if (modal) dialog.showModal(); else dialog.show();
    placeDialog(dialog);
    holdWhileAway();
  }
  function closeDialog(dialog) {
    if (dialog.open) dialog.close();
    holdWhileAway();
  }
  // Escape, or the browser's own way of closing a dialog, is the dialog's
  // `answer`.
  function onEscape(dialog, answer) {
    dialog.addEventListener("cancel", (e) => {
      e.preventDefault();
      answer();
    });
  }
  const modalOpen = () => document.querySelector("dialog[open]:modal") !== null;

  // Message boxes: modal, one after the other, as on the desktop. A box
  // about the player's own files offers them to save.
  const box = $("box");
  const boxQueue = [];
  function showNextBox() {
    const next = boxQueue[0];
    if (!next) {
      closeDialog(box);
      return;
    }
    box.querySelector(".title").textContent = next.title;
    box.querySelector(".message").textContent = next.text;
    box.querySelector(".icon").classList.toggle("error", next.error);
    const files = box.querySelector(".files");
    files.replaceChildren(...next.files.map((path) => {
      const name = path.slice(path.lastIndexOf("/") + 1);
      const save = document.createElement("button");
      save.type = "button";
      save.className = "link";
      save.textContent = say("save").replace("%1", name);
      save.addEventListener("click", () => download(name, module.FS.readFile(path)));
      return save;
    }));
    if (box.open) box.close();  // shown afresh, placed for its new size
    openDialog(box, true);
    box.querySelector(".buttons button").focus();
  }
  function boxOpen() { return boxQueue.length > 0; }
  function closeBox() {
    const closed = boxQueue.shift();
    showNextBox();
    if (closed && closed.error) showEnded("ended");
    if (!boxOpen()) afterEvent();
  }
  box.querySelector(".buttons button").addEventListener("click", closeBox);
  onEscape(box, closeBox);

  // A question: modal; resolves to whether the player said yes.
  function ask(question, yes) {
    const dialog = $("ask");
    dialog.querySelector(".message").textContent = question;
    const [ok, cancel] = dialog.querySelectorAll(".buttons button");
    ok.textContent = yes;
    cancel.textContent = say("cancel");
    return new Promise((resolve) => {
      const answer = (said) => () => {
        closeDialog(dialog);
        resolve(said);
      };
      ok.onclick = answer(true);
      cancel.onclick = answer(false);
      dialog.oncancel = (e) => {
        e.preventDefault();
        answer(false)();
      };
      openDialog(dialog, true);
      ok.focus();
    });
  }

  function fail(what) {
    if (!page.error) page.error = what;
    console.error("kinopa: " + what);
    running = false;
  }

  // The page when the game no longer runs here: clean, with one button.
  // `why`: ended (終了, or an error), refused (the game is open in another
  // tab), stolen (another tab has taken the game over).
  let ended = false;
  function showEnded(why) {
    ended = true;
    running = false;
    clearTimeout(stepTimer);
    for (const dialog of document.querySelectorAll("dialog[open]")) dialog.close();
    $("stage").hidden = true;
    const screen = $("ended");
    screen.querySelector(".message").textContent = say(why);
    const button = screen.querySelector("button");
    button.textContent = say(why === "ended" ? "again" : "playHere");
    button.onclick = () => {
      // Playing here takes the game over from the tab that has it.
      if (why !== "ended") sessionStorage.setItem("kinopa-play-here", "1");
      location.reload();
    };
    screen.hidden = false;
    button.focus();
  }

  // --- What the module calls -------------------------------------------------
  // The player's files to the browser's storage: a file the game writes is
  // put there at once, and kept in a journal (localStorage) in the same turn
  // until the storage has it, as a reload or a closed tab may cut an
  // IndexedDB transaction short but never loses what localStorage took; the
  // next start puts back what the journal still holds. A whole sync follows
  // for the rest. Syncs run one after the other, never two at once (a file
  // gone between a sync's listing and its reading fails it).
  const STORAGE = "/kinopa";
  const JOURNAL = "kinopa-journal:";
  let syncing = null;
  let syncAgain = false;
  function syncStorage() {
    if (syncing) {
      syncAgain = true;
      return syncing;
    }
    syncing = new Promise((resolve) => module.FS.syncfs(false, (e) => {
      if (e) console.error(e);
      resolve();
    })).then(() => {
      syncing = null;
      if (!syncAgain) return undefined;
      syncAgain = false;
      return syncStorage();
    });
    return syncing;
  }
  // The file goes with the folders it lies in, in one transaction: a file
  // the storage holds without its folder (a new best-games/ when the tab
  // closed before the whole sync) would fail the next start's reading.
  function storeNow(path) {
    const IDBFS = module.IDBFS || module.FS.filesystems.IDBFS;
    const db = IDBFS.dbs[STORAGE];
    const folders = [];
    for (let at = path.lastIndexOf("/"); at > STORAGE.length; at = path.lastIndexOf("/", at - 1))
      folders.unshift(path.slice(0, at));
    IDBFS.loadLocalEntry(path, (error, entry) => {
      if (error || !db) return;
      let journaled = null;
      try {
        journaled = "";
        for (let i = 0; i < entry.contents.length; i += 0x8000)
          journaled += String.fromCharCode(...entry.contents.subarray(i, i + 0x8000));
        localStorage.setItem(JOURNAL + path, journaled);
      } catch (e) {
        journaled = null;  // no room there: the storage alone takes it
      }
      const transaction = db.transaction([IDBFS.DB_STORE_NAME], "readwrite");
      transaction.oncomplete = () => {
        if (journaled !== null && localStorage.getItem(JOURNAL + path) === journaled) localStorage.removeItem(JOURNAL + path);
      };
      const store = transaction.objectStore(IDBFS.DB_STORE_NAME);
      for (const folder of folders) {
        IDBFS.loadLocalEntry(folder, (e, folderEntry) => {
          if (!e) IDBFS.storeRemoteEntry(store, folder, folderEntry, (stored) => { if (stored) console.error(stored); });
        });
      }
      IDBFS.storeRemoteEntry(store, path, entry, (e) => { if (e) console.error(e); });
    });
  }
  // What the journal holds is newer than the storage's copy.
  function replayJournal() {
    for (const key of Object.keys(localStorage).filter((k) => k.startsWith(JOURNAL))) {
      const path = key.slice(JOURNAL.length);
      try {
        module.FS.mkdirTree(path.slice(0, path.lastIndexOf("/")));
        module.FS.writeFile(path, Uint8Array.from(localStorage.getItem(key), (c) => c.charCodeAt(0)));
        storeNow(path);
      } catch (e) {
        console.warn(`kinopa: ${path} stays as the storage has it: ${e.message}`);
        localStorage.removeItem(key);
      }
    }
  }
  // What 終了 saves, saved now and on its way to the storage: the page goes
  // out of sight, or away.
  function saveNow() {
    if (!running) return Promise.resolve();
    api.saveNow();
    return syncStorage();
  }
  const audio = makeAudio();
  window.kinopaHost = {
    show() { drawField(); },
    caption(control, text) {
      if (labels.has(control)) {
        labels.set(control, text);
        return;
      }
      const element = ruled[control];
      if (element.textContent !== text) element.textContent = text;
    },
    enabled(control, on) { ruled[control].disabled = !on; },
    closed() {
      if (switching) return;
      showEnded("ended");
    },
    settingsChanged() { if (menu.open) showSettings(); },
    messageBox(title, text, error, files = []) {
      boxQueue.push({ title, text, error, files });
      page.boxes.push(title + " | " + text);
      if (boxQueue.length === 1) showNextBox();
    },
    fileWritten(path) {
      if (!path.startsWith(STORAGE + "/")) return;
      storeNow(path);
      syncStorage();
    },
    audio,
  };

  // --- Sound: Web Audio nodes, every sound summed through the game's limiter ---
  // The module keeps the voices (where each sound stands, when one played
  // once ends, the device's rest) and says when a sound's node starts at an
  // offset or stops, and whether the audio context is to run; a node played
  // once ends by itself.
  function makeAudio() {
    let ctx = null, gestured = false, wanted = false;
    const buffers = new Map(), nodes = new Map();
    let nextId = 1;
    function context() {
      if (ctx) return ctx;
      ctx = new AudioContext({ latencyHint: "interactive" });
      // The shaper takes the sum halved; its curve is the desktop mixer's.
      const half = ctx.createGain();
      half.gain.value = 0.5;
      const shaper = ctx.createWaveShaper();
      const points = 8193;
      const at = module._malloc(points * 4);
      module._kinopa_limiter_curve(at, points);
      shaper.curve = new Float32Array(module.HEAPF32.buffer, at, points).slice();
      module._free(at);
      half.connect(shaper).connect(ctx.destination);
      ctx.input = half;
      follow();
      return ctx;
    }
    // The context runs while the module wants it to, once the player's first
    // gesture lets it.
    // (Asked in order, whatever the state: one may be on its way.)
    // While the tab is hidden the game stands, and so does its sound.
    function follow() {
      if (wanted && gestured && !document.hidden) ctx.resume();
      if (!wanted || document.hidden) ctx.suspend();
    }
    function stop(id) {
      const node = nodes.get(id);
      nodes.delete(id);
      if (node) node.stop();
    }
    return {
      // Browsers let sound start only after the player's first gesture, some
      // only from within one: the context runs once then, and goes back to
      // what the module wants.
      gesture() {
        if (gestured) return;
        gestured = true;
        if (ctx) ctx.resume().then(follow);
      },
      rate() { return context().sampleRate; },
      // The context's clock, in its frames.
      clock() { return Math.round(context().currentTime * ctx.sampleRate); },
      run(on) {
        wanted = on;
        context();
        follow();
      },
      create(channels, rate, samples, frames) {
        const buffer = context().createBuffer(channels, frames, rate);
        for (let c = 0; c < channels; ++c) {
          const data = buffer.getChannelData(c);
          for (let f = 0; f < frames; ++f) data[f] = samples[f * channels + c];
        }
        const id = nextId++;
        buffers.set(id, buffer);
        return id;
      },
      release(id) {
        buffers.delete(id);
        nodes.delete(id);
      },
      start(id, offset, looping) {
        const node = context().createBufferSource();
        node.buffer = buffers.get(id);
        node.loop = looping;
        node.connect(ctx.input);
        node.onended = () => node.disconnect();
        nodes.set(id, node);
        node.start(0, offset);
      },
      stop,
      loop(id, looping) {
        const node = nodes.get(id);
        if (node) node.loop = looping;
      },
      state() { return ctx ? ctx.state : "none"; },
      visibility() { if (ctx) follow(); },
    };
  }

  // --- The labels the rules write every frame: drawn, not laid out ------------
  // The score, the rate, the remaining time and the highest score may change
  // with every frame. A canvas of their own over the window shows them as
  // their elements would (each element's box, font, colour and alignment,
  // read from the page once), with no style, layout or hit testing for the
  // browser to redo. The elements stay in their places, unseen, holding the
  // captions for screen readers: written at most once a second while frames
  // come (a reader would hear nothing useful from the remaining time changing
  // every 8 ms, and no live region talks over the game) and at once when they
  // stop, so the score at the end is there to be read.
  function makeLabels() {
    const window_ = $("draw_w");
    const elements = new Map();  // control -> element
    for (const e of window_.querySelectorAll(".label[data-control]")) elements.set(Number(e.dataset.control), e);
    const drawn = new Map();     // control -> the caption on the canvas
    const dirty = new Set();     // controls whose caption is not drawn yet
    const copied = new Set();    // controls whose element is behind its caption
    const board = document.createElement("canvas");
    board.id = "labels";
    board.setAttribute("aria-hidden", "true");
    window_.append(board);
    const ink = board.getContext("2d");
    let looks = null, area = null, density = 1, lastCopy = 0, painting = false;
    // The labels' looks, once their font is there.
    function look() {
      looks = new Map();
      for (const [control, e] of elements) {
        const style = getComputedStyle(e);
        const font = `${style.fontWeight} ${style.fontSize} ${style.fontFamily}`;
        ink.font = font;
        const metrics = ink.measureText("0");
        const ascent = metrics.fontBoundingBoxAscent, descent = metrics.fontBoundingBoxDescent;
        const lineHeight = parseFloat(style.lineHeight);
        looks.set(control, {
          left: e.offsetLeft, top: e.offsetTop, width: e.offsetWidth, height: e.offsetHeight, font,
          colour: style.color, align: style.textAlign,
          // The line's baseline: half the leading above the font's ascent,
          // in whole pixels as the browser lays a line out.
          baseline: e.offsetTop + Math.floor((lineHeight - ascent - descent) / 2) + ascent,
        });
      }
      const all = [...looks.values()];
      area = {
        left: Math.min(...all.map((l) => l.left)), top: Math.min(...all.map((l) => l.top)),
        right: Math.max(...all.map((l) => l.left + l.width)), bottom: Math.max(...all.map((l) => l.top + l.height)),
      };
      Object.assign(board.style, { left: `${area.left}px`, top: `${area.top}px` });
    }
    function draw(control) {
      const l = looks.get(control), text = drawn.get(control) ?? elements.get(control).textContent;
      ink.save();
      ink.beginPath();
      ink.rect(l.left, l.top, l.width, l.height);
      ink.clip();
      ink.clearRect(l.left, l.top, l.width, l.height);
      ink.font = l.font;
      ink.fillStyle = l.colour;
      const width = ink.measureText(text).width;
      // A caption wider than its box starts at its left edge, as a line does.
      const room = l.width - width;
      const x = room <= 0 || l.align === "left" || l.align === "start" ? l.left
              : l.align === "center" ? l.left + room / 2 : l.left + room;
      ink.fillText(text, x, l.baseline);
      ink.restore();
    }
    // What changed, drawn once at the next display refresh: in the field's
    // drawing while frames come, else in a callback of its own.
    function paint() {
      painting = false;
      if (!looks) return;
      for (const control of dirty) draw(control);
      dirty.clear();
    }
    return {
      has: (control) => elements.has(control),
      // The captions' canvas at `scale` device pixels a window pixel.
      fit(scale) {
        density = scale;
        if (!looks) return;
        const width = area.right - area.left, height = area.bottom - area.top;
        board.width = Math.ceil(width * scale);
        board.height = Math.ceil(height * scale);
        Object.assign(board.style, { width: `${board.width / scale}px`, height: `${board.height / scale}px` });
        ink.setTransform(scale, 0, 0, scale, -area.left * scale, -area.top * scale);
        for (const control of elements.keys()) draw(control);
        dirty.clear();
      },
      start() {
        look();
        window_.classList.add("drawn");
        this.fit(density);
      },
      set(control, text) {
        if (drawn.get(control) === text) return;
        drawn.set(control, text);
        copied.add(control);
        dirty.add(control);
        if (painting) return;
        painting = true;
        if (!drawRequested) requestAnimationFrame(paint);
      },
      paint,
      // The elements brought up to date: at once when `now`, else if a
      // second has passed.
      copy(now) {
        if (!copied.size || (!now && performance.now() - lastCopy < 1000)) return;
        lastCopy = performance.now();
        for (const control of copied) elements.get(control).textContent = drawn.get(control);
        copied.clear();
      },
      shown: (control) => drawn.get(control) ?? elements.get(control).textContent,
    };
  }

  // --- The play field ----------------------------------------------------------
  function drawField() {
    const serial = api.fieldSerial();
    if (serial === shownSerial || serial < 0) return;
    shownSerial = serial;
    const at = api.fieldPixels();
    // Straight from the module's memory, only the rectangles that changed.
    const pixels = new ImageData(
      new Uint8ClampedArray(module.HEAPU8.buffer, at, canvas.width * canvas.height * 4), canvas.width, canvas.height);
    const changes = api.fieldChanges() >> 2;
    const heap = module.HEAP32;
    for (let i = 0, n = heap[changes]; i < n; ++i) {
      const r = changes + 1 + i * 4;
      context.putImageData(pixels, 0, 0, heap[r], heap[r + 1], heap[r + 2], heap[r + 3]);
    }
    if (!page.serviceWorker) registerServiceWorker();
  }
  // Once per display refresh while frames come: the latest one.
  function requestDraw() {
    if (drawRequested) return;
    drawRequested = true;
    requestAnimationFrame(() => {
      drawRequested = false;
      if (!api) return;
      // The module takes a frame due while the page is drawn now, a little
      // early, and it is shown at once.
      if (framePending && stepTimer !== null && api.displayRefresh()) step();
      drawField();
      labels.paint();
      if (running && (framePending || watching)) requestDraw();
    });
  }

  // --- The main loop's steps, on the page's own scheduler ----------------------
  // The module says when the next step is due (ms from now; -1 at the
  // player's next event).
  function schedule(delay) {
    clearTimeout(stepTimer);
    stepTimer = delay >= 0 ? setTimeout(step, delay) : null;
  }
  // The player's game runs while the page can run it: not while a modal
  // dialog waits for the player, nor while the tab is hidden (the browser
  // would run it at a crawl). Its clock stands meanwhile, so the game goes
  // on from the same frame.
  const away = () => modalOpen() || document.hidden;
  let held = false;
  let playLater = null;  // a watch's play, standing while away
  function holdWhileAway() {
    if (!api || held === away()) return;
    held = away();
    api.holdClock(held ? 1 : 0);
    if (held) return;
    afterEvent();
    const play = playLater;
    playLater = null;
    play?.();
  }
  function step() {
    clearTimeout(stepTimer);
    stepTimer = null;
    if (!running || watching || away()) return;
    const due = api.step();
    if (due === ENDED) {
      if (running && !boxOpen()) showEnded("ended");
      return;
    }
    framePending = api.framePending() === 1;
    labels.copy(!framePending);
    if (!framePending) settled();
    schedule(due);
    if (framePending) requestDraw();
    else drawField();
  }
  // After the player's event: while no game runs, the loop takes its idle
  // pass now (the clock, the settings button); a running game's next frame
  // comes when due anyway.
  function afterEvent() {
    if (!running || watching || away()) return;
    if (!framePending || stepTimer === null) schedule(0);
  }
  // The player's events reach the module in their order: one that comes
  // while another's handler still waits (OK fetching the music) waits for it,
  // so a Start clicked meanwhile starts with the settings OK saved.
  let handling = 0, handled = Promise.resolve();
  const guarded = (handler) => (event) => {
    const run = async () => {
      if (!running || modalOpen()) return;
      try {
        await handler(event);
      } catch (e) {
        fail(e.message);
        return;
      }
      afterEvent();
    };
    const done = handling ? handled.then(run) : run();
    ++handling;
    handled = done.finally(() => { --handling; });
    return done;
  };

  // --- Files --------------------------------------------------------------------
  // The module and the game's own files are kept gzipped on the site (any
  // host sends them small): the bytes of `url`, unpacked. A host that sends
  // the .gz file as gzip-encoded has had the browser unpack it already.
  async function unpacked(url) {
    const response = await fetch(url + ".gz");
    if (!response.ok) throw new Error(`cannot load ${url}: ${response.status}`);
    const bytes = new Uint8Array(await response.arrayBuffer());
    if (bytes[0] !== 0x1f || bytes[1] !== 0x8b) return bytes;
    const stream = new Blob([bytes]).stream().pipeThrough(new DecompressionStream("gzip"));
    return new Uint8Array(await new Response(stream).arrayBuffer());
  }
  async function fetchInto(url, path) {
    module.FS.writeFile(path, await unpacked(url));
  }
  // The module: its code compiled while its glue (kinopa-web.js) loads.
  async function loadModule() {
    const compiled = unpacked("kinopa-web.wasm").then((bytes) => WebAssembly.compile(bytes));
    compiled.catch(() => {});  // reported where it is awaited
    const code = unpacked("kinopa-web.js");
    const glue = document.createElement("script");
    glue.src = URL.createObjectURL(new Blob([await code], { type: "text/javascript" }));
    await new Promise((resolve, reject) => {
      glue.onload = resolve;
      glue.onerror = () => reject(new Error("cannot run kinopa-web.js"));
      document.head.append(glue);
    });
    URL.revokeObjectURL(glue.src);
    const wasm = await compiled;
    return createKinopa({
      instantiateWasm(imports, receive) {
        WebAssembly.instantiate(wasm, imports).then((instance) => receive(instance, wasm),
                                                     (e) => fail("cannot start the module: " + e.message));
        return {};
      },
    });
  }
  // The game's sounds that the settings (the saved ones, or the dialog's)
  // load and that are not here yet, each the first time: the module names
  // them by their path in /game, which is the site's. One that does not
  // arrive stays missing, and loading it says so, as of any missing file.
  async function fetchSounds(fromDialog) {
    const paths = api.soundFilesWanted(fromDialog ? 1 : 0).split("\n").filter(Boolean);
    const url = (path) => path.slice("/game/".length).split("/").map(encodeURIComponent).join("/");
    await Promise.all(paths.map((path) => fetchInto(url(path), path).catch(() => {})));
  }
  function download(name, bytes) {
    const link = document.createElement("a");
    link.href = URL.createObjectURL(new Blob([bytes], { type: "application/octet-stream" }));
    link.download = name;
    link.click();
    setTimeout(() => URL.revokeObjectURL(link.href), 1000);
  }

  async function registerServiceWorker() {
    // After the first frame: the offline copy never slows the first visit.
    if (!("serviceWorker" in navigator)) {
      page.serviceWorker = "unsupported";
      return;
    }
    page.serviceWorker = "registering";
    try {
      await navigator.serviceWorker.register("sw.js");
      await navigator.serviceWorker.ready;
      page.serviceWorker = "ready";
    } catch (e) {
      page.serviceWorker = "failed: " + e.message;
    }
  }

  // --- The sound settings dialog ------------------------------------------------
  // Its text boxes and check boxes say which of the settings they show.
  const texts = [...menu.querySelectorAll("input[data-text]")];
  const checks = [...menu.querySelectorAll("input[data-check]")];
  function wireSettings() {
    for (const text of texts)
      text.addEventListener("input", guarded(() => {
        // A name the settings file cannot keep is refused, and the row keeps its own.
        if (!api.setSettingsText(Number(text.dataset.text), text.value)) text.value = api.settingsText(Number(text.dataset.text));
      }));
    for (const box of checks)
      box.addEventListener("change", guarded(() => api.setSettingsCheck(Number(box.dataset.check), box.checked ? 1 : 0)));
    for (const browse of menu.querySelectorAll("button[data-browse]")) {
      const row = Number(browse.dataset.browse);
      browse.addEventListener("click", () => chooseFile(".wav,audio/wav", (file) => keepSoundFile(row, file)));
    }
  }
  function showSettings() {
    for (const text of texts)
      if (document.activeElement !== text) text.value = api.settingsText(Number(text.dataset.text));
    for (const box of checks) {
      const value = api.settingsCheck(Number(box.dataset.check));
      box.checked = value === 1;
      box.indeterminate = value === 2;
    }
  }
  // A file chosen with 参照 is kept in the browser's storage, and the row
  // names it by its full path there.
  async function keepSoundFile(row, file) {
    const folder = "/kinopa/sounds";
    if (!module.FS.analyzePath(folder).exists) module.FS.mkdir(folder);
    const path = `${folder}/${file.name.replace(/[\/\\]/g, "_")}`;
    module.FS.writeFile(path, new Uint8Array(await file.arrayBuffer()));
    window.kinopaHost.fileWritten(path);
    if (!api.chooseSoundFile(row, path)) return;
    showSettings();
  }

  // The captions and enabled states of the session now shown (the module
  // says only what changes afterwards).
  function showControls() {
    ruled.forEach((element, c) => {
      if (labels.has(c)) labels.set(c, api.caption(c));
      else element.textContent = api.caption(c);
      if (element.tagName === "BUTTON") element.disabled = !api.enabled(c);
    });
    labels.copy(true);
  }

  // --- Watching a recording -----------------------------------------------------
  async function watchFile(file) {
    // Not while a modal dialog waits for the player.
    if (running && !modalOpen()) await watchRecording(new Uint8Array(await file.arrayBuffer()), file.name);
  }
  // The module takes or refuses the recording before anything waits; one
  // that would end the game the player is playing waits for their yes, the
  // game standing meanwhile. A watch replaces any watch before it.
  let watchFiles = 0;
  async function watchRecording(bytes, name) {
    if (!running) return;
    const path = `/tmp/watch-${++watchFiles}.kinopa`;  // the one watched before stays open until replaced
    module.FS.writeFile(path, bytes);
    const forget = () => module.FS.unlink(path);
    switching = true;
    let opened = api.watch(path, name);
    switching = false;
    if (opened === 2) {
      const yes = await ask(say("watchAsk"), say("watch"));
      if (!running) return;
      switching = true;
      opened = api.watchAnswer(yes ? 1 : 0);
      switching = false;
    }
    if (opened !== 1) {  // refused (said in a box), or not wanted: the player's game goes on as it was
      forget();
      afterEvent();
      return;
    }
    clearTimeout(stepTimer);
    framePending = false;
    watching = true;
    const run = ++watchRun;
    const current = () => running && watching && run === watchRun;
    for (const earlier of module.FS.readdir("/tmp")) {
      if (/^watch-\d+\.kinopa$/.test(earlier) && `/tmp/${earlier}` !== path) module.FS.unlink(`/tmp/${earlier}`);
    }
    showControls();
    shownSerial = -1;
    page.watching = "forward";
    $("caption").textContent = say("recording");
    const began = performance.now();
    const progress = $("progress");
    progress.querySelector(".message").textContent = say("forwarding");
    const cancel = progress.querySelector(".cancel");
    cancel.textContent = say("cancel");
    let cancelled = false;
    cancel.onclick = () => { cancelled = true; };
    progress.oncancel = (e) => {
      e.preventDefault();
      cancelled = true;
    };
    // The run before the last game, a slice at a time, the page answering
    // between; past a while a bar shows how far it is.
    try {
      for (;;) {
        const share = api.watchForward();
        if (share < 0) return fail("watching failed");
        if (share >= 1) break;
        if (performance.now() - began > api.watchProgressAfter()) {
          openDialog(progress, true);
          const bar = progress.querySelector("progress");
          bar.value = Math.round(share * bar.max);
        }
        await new Promise((resolve) => setTimeout(resolve, 0));
        if (!current()) return;  // a later watch, or back to the game
        if (cancelled) return endWatching();
      }
    } finally {
      if (run === watchRun) closeDialog(progress);
    }
    page.watching = "last game";
    requestDraw();
    const play = () => {
      if (!current()) return;
      if (away()) {  // the watch stands meanwhile, and goes on once back
        playLater = play;
        return;
      }
      const due = api.watchPlay();
      labels.copy(due < 0);
      requestDraw();
      if (due >= 0) {
        setTimeout(play, due);
        return;
      }
      page.watching = "ended";
      drawField();
      $("caption").textContent = say("recordingEnded");
      const back = document.createElement("button");
      back.type = "button";
      back.className = "link";
      back.textContent = say("back");
      back.addEventListener("click", endWatching);
      $("caption").append("  ", back);
    };
    play();
  }
  function endWatching() {
    if (!watching) return;
    watching = false;
    ++watchRun;
    closeDialog($("progress"));
    switching = true;
    api.endWatching();
    switching = false;
    for (const name of module.FS.readdir("/tmp")) {
      if (/^watch-\d+\.kinopa$/.test(name)) module.FS.unlink(`/tmp/${name}`);
    }
    page.watching = "";
    $("caption").textContent = "";
    showControls();
    shownSerial = -1;
    drawField();
    afterEvent();
  }
  function chooseFile(accept, then) {
    const chooser = $("chooser");
    chooser.accept = accept;
    chooser.value = "";
    chooser.onchange = guarded(async () => {
      if (chooser.files.length) await then(chooser.files[0]);
    });
    chooser.click();
  }

  // --- The hall of fame ---------------------------------------------------------
  // A page that a hall of fame (kinopa-hall) serves plays every game its
  // Start begins for the hall. Whether a hall serves it is decided once, as
  // the page loads, by asking for the hall's table: a plain web host answers
  // 404, and off-line nothing answers; either way Start plays as it always
  // did. The name is asked before the first hall game and kept in the
  // browser's storage, so that sending a game at its end is one click within
  // the hall's margin. What a hall Start is, and which game may be sent,
  // the module says; the page fetches and shows.
  const HALL_NAME = "kinopa-hall-name";
  const hall = { served: false, declined: false, offered: "" };
  const hallServes = fetch("api/games?limit=1", { cache: "no-store" })
    .then(async (response) => response.ok && Array.isArray(await response.json()))
    .catch(() => false);
  async function findHall() {
    hall.served = await hallServes;
    page.hall = hall.served;
    if (!hall.served || !api) return;
    const link = $("hallLink");
    link.textContent = say("hall");
    link.hidden = false;
    const name = $("hallNameButton");
    name.textContent = say("hallName");
    name.hidden = false;
    name.addEventListener("click", guarded(async () => {
      if (await askHallName()) hall.declined = false;
    }));
    fit();
  }
  // The player's name for the hall, asked in a modal dialog (Escape is its
  // Cancel): the name given, kept for the next time, or null.
  function askHallName() {
    const dialog = $("hallName");
    const input = dialog.querySelector("input");
    dialog.querySelector(".message").textContent = say("hallNameAsk");
    const [ok, cancel] = dialog.querySelectorAll(".buttons button");
    cancel.textContent = say("cancel");
    input.value = localStorage.getItem(HALL_NAME) || "";
    return new Promise((resolve) => {
      const answer = (said) => () => {
        closeDialog(dialog);
        const name = said && input.value ? input.value : null;
        if (name) localStorage.setItem(HALL_NAME, name);
        resolve(name);
      };
      ok.onclick = answer(true);
      cancel.onclick = answer(false);
      input.onkeydown = (e) => {
        if (e.key === "Enter") answer(true)();
      };
      dialog.oncancel = (e) => {
        e.preventDefault();
        answer(false)();
      };
      openDialog(dialog, true);
      input.focus();
      input.select();
    });
  }
  // What the caption line says of the hall (not while watching: the watch
  // has the line then).
  function hallSays(...what) {
    if (!watching) $("caption").replaceChildren(...what);
  }
  // Start, for the hall: true when a hall game began. Without a name (the
  // player cancelled: asked again after a reload, or by the name's link),
  // or without a seed (the hall says why), Start plays an ordinary game.
  async function hallStart() {
    if (!await hallServes || !api.startBegins()) return false;
    hall.offered = "";
    hallSays();
    if (hall.declined) return false;
    if (!localStorage.getItem(HALL_NAME) && !await askHallName()) {
      hall.declined = true;
      return false;
    }
    let seed;
    try {
      const response = await fetch("api/seed", { method: "POST" });
      seed = await response.json();
      if (!response.ok) {
        hallSays(say("hallNoSeed").replace("%1", seed.error));
        return false;
      }
    } catch (e) {
      hallSays(say("hallNoSeed").replace("%1", say("hallUnreachable")));
      return false;
    }
    return running && api.hallStart(String(seed.seed), String(seed.generator)) === 1;
  }
  // A hall game's time has run out: its recording is offered to the hall,
  // once, until the next game begins.
  function offerHallGame() {
    const seed = api.hallGameOver();
    if (!seed || seed === hall.offered) return;
    hall.offered = seed;
    const recording = api.gameRecording();
    const send = document.createElement("button");
    send.type = "button";
    send.id = "hallSend";
    send.textContent = say("hallSend");
    send.addEventListener("click", () => sendToHall(recording));
    hallSays(send);
    send.focus();
  }
  // The hall's answer, in the player's language (the browser sends its
  // Accept-Language): the rank and the score, or why it refused the game.
  // One that did not arrive may be sent again: the hall enters a game once.
  async function sendToHall(recording) {
    hallSays(say("hallSending"));
    try {
      const response = await fetch("api/games", {
        method: "POST",
        headers: { "Content-Type": "application/json" },
        body: JSON.stringify({ name: localStorage.getItem(HALL_NAME) || "", recording }),
      });
      const answer = await response.json();
      page.hallAnswer = { status: response.status, ...answer };
      hallSays(response.ok ? say("hallEntered").replace("%1", answer.rank).replace("%2", answer.score)
                           : answer.error);
    } catch (e) {
      const again = document.createElement("button");
      again.type = "button";
      again.textContent = say("hallSend");
      again.addEventListener("click", () => sendToHall(recording));
      hallSays(say("hallUnreachable") + " ", again);
    }
  }

  // --- The player's ten best games, under the links -------------------------------
  // As the module reads them from best-games/ in the browser's storage, each
  // to watch; shown anew when they change.
  let tenBestShown = null;
  const played = new Intl.DateTimeFormat(JAPANESE ? "ja" : undefined, { dateStyle: "medium", timeStyle: "short" });
  function showTenBest() {
    const lines = api.tenBest();
    if (lines === tenBestShown) return;
    tenBestShown = lines;
    const section = $("tenBest");
    section.querySelector("h2").textContent = say("tenBest");
    const heads = section.querySelectorAll("th");
    ["rank", "score", "played"].forEach((name, i) => { heads[i].textContent = say(name); });
    const rows = lines.split("\n").filter(Boolean).map((line, i) => {
      const [score, ms, path] = line.split("\t");
      const row = document.createElement("tr");
      const when = new Date(Number(ms));
      const time = document.createElement("time");
      time.dateTime = when.toISOString();
      time.textContent = played.format(when);
      const watch = document.createElement("button");
      watch.type = "button";
      watch.textContent = say("watch");
      watch.addEventListener("click", guarded(() => watchRecording(module.FS.readFile(path),
                                                                   path.slice(path.lastIndexOf("/") + 1))));
      for (const content of [String(i + 1), score, time, watch]) {
        const cell = document.createElement("td");
        cell.append(content);
        row.append(cell);
      }
      return row;
    });
    section.querySelector("tbody").replaceChildren(...rows);
    section.querySelector("table").hidden = rows.length === 0;
    const none = section.querySelector("p");
    none.textContent = say("noTenBest");
    none.hidden = rows.length > 0;
  }
  // The game's own side of a step with no frame due: a game that just ended
  // or stopped.
  function settled() {
    showTenBest();
    if (hall.served) offerHallGame();
  }

  // The page opened with ?watch=ADDRESS (the hall's Watch links) watches the
  // recording there as a dropped one is watched: from this site alone.
  async function watchFromAddress() {
    const asked = new URLSearchParams(location.search).get("watch");
    if (asked === null) return;
    // From now on the address is the game's: a reload plays.
    history.replaceState(null, "", location.pathname);
    let url = null;
    try {
      url = new URL(asked, location.href);
    } catch (e) {
      // not an address: refused below
    }
    if (!url || url.origin !== location.origin) {
      window.kinopaHost.messageBox("Kinopa", say("watchElsewhere").replace("%1", asked), false);
      return;
    }
    let bytes;
    try {
      const response = await fetch(url);
      if (!response.ok) throw new Error(`${response.status} ${response.statusText}`.trim());
      bytes = new Uint8Array(await response.arrayBuffer());
    } catch (e) {
      window.kinopaHost.messageBox("Kinopa", say("watchUnfetched").replace("%1", asked).replace("%2", e.message), false);
      return;
    }
    await watchRecording(bytes, url.pathname.slice(url.pathname.lastIndexOf("/") + 1) || asked);
  }

  // --- Start ----------------------------------------------------------------
  // One tab at a time, as one copy for each settings folder on the desktop:
  // the tab that plays holds the lock "kinopa", and "kinopa-files" while it
  // may write the player's files. A tab the player asks to play in takes
  // "kinopa" over; the other tab learns it, stops, and saves, and only then
  // lets the files go to this one.
  let filesDone = null;
  async function holdTheGame() {
    if (!navigator.locks) return true;
    const steal = sessionStorage.getItem("kinopa-play-here") === "1";
    sessionStorage.removeItem("kinopa-play-here");
    const held = await new Promise((resolve) => {
      navigator.locks.request("kinopa", steal ? { steal: true } : { ifAvailable: true }, (lock) => {
        resolve(lock !== null);
        return lock && new Promise(() => {});  // kept while the page lives
      }).catch((e) => {
        if (e.name === "AbortError") stopHere();  // taken over
      });
    });
    if (!held) return false;
    await new Promise((resolve) => navigator.locks.request("kinopa-files", () => {
      resolve();
      return new Promise((done) => { filesDone = done; });
    }));
    return true;
  }
  // Another tab plays now: what 終了 saves is saved and stored, the page
  // says so, and the player's files are the other tab's.
  async function stopHere() {
    if (running) api.saveNow();
    showEnded("stolen");
    if (module) await syncStorage();
    filesDone?.();
  }

  function makeApi() {
    const number = (name, args) => module.cwrap(name, "number", args);
    const string = (name, args) => module.cwrap(name, "string", args);
    api = {
      begin: number("kinopa_begin", ["number"]),
      sentence: string("kinopa_page_sentence", ["string"]),
      step: number("kinopa_step", []),
      framePending: number("kinopa_frame_pending", []),
      displayRefresh: number("kinopa_display_refresh", []),
      holdClock: number("kinopa_hold_clock", ["number"]),
      saveNow: number("kinopa_save_now", []),
      startClick: number("kinopa_start_click", []),
      endClick: number("kinopa_end_click", []),
      pointerMove: number("kinopa_pointer_move", ["number", "number", "number"]),
      pointerUp: number("kinopa_pointer_up", ["number", "number", "number"]),
      touchUp: number("kinopa_touch_up", ["number", "number", "number"]),
      settingsText: string("kinopa_settings_text", ["number"]),
      settingsCheck: number("kinopa_settings_check", ["number"]),
      setSettingsText: number("kinopa_set_settings_text", ["number", "string"]),
      setSettingsCheck: number("kinopa_set_settings_check", ["number", "number"]),
      settingsOk: number("kinopa_settings_ok", []),
      settingsCancel: number("kinopa_settings_cancel", []),
      chooseSoundFile: number("kinopa_choose_sound_file", ["number", "string"]),
      soundFilesWanted: string("kinopa_sound_files_wanted", ["number"]),
      caption: string("kinopa_caption", ["number"]),
      enabled: number("kinopa_enabled", ["number"]),
      fieldPixels: number("kinopa_field_pixels", []),
      fieldSerial: number("kinopa_field_serial", []),
      fieldChanges: number("kinopa_field_changes", []),
      phase: string("kinopa_phase", []),
      stateLine: string("kinopa_state_line", []),
      runRecording: string("kinopa_run_recording", []),
      bestGamePath: string("kinopa_best_game_path", []),
      watch: number("kinopa_watch", ["string", "string"]),
      watchAnswer: number("kinopa_watch_answer", ["number"]),
      watchForward: number("kinopa_watch_forward", []),
      watchProgressAfter: number("kinopa_watch_progress_after", []),
      watchPlay: number("kinopa_watch_play", []),
      endWatching: number("kinopa_end_watching", []),
      startBegins: number("kinopa_start_begins", []),
      hallStart: number("kinopa_hall_start", ["string", "string"]),
      hallGameOver: string("kinopa_hall_game_over", []),
      gameRecording: string("kinopa_game_recording", []),
      tenBest: string("kinopa_ten_best", []),
    };
    module._kinopa_use_japanese(JAPANESE ? 1 : 0);
    showFullScreen();
  }

  async function begin() {
    if (!await holdTheGame()) {
      module = await loadModule();
      makeApi();
      page.refused = true;
      showEnded("refused");
      return;
    }
    // The module first (the most to fetch), the game's files while it
    // compiles.
    const loading = loadModule();
    const gameFiles = [
      ...PICTURES.map((name) => "images/" + name),
      "wave/wave.ini",  // the first settings, for a first start
      "window_art/field.bmp",
    ];
    const downloads = gameFiles.map(unpacked);
    for (const download of downloads) download.catch(() => {});  // reported below
    module = await loading;
    makeApi();
    const FS = module.FS;
    // The player's files: the browser's storage, read before anything else.
    FS.mkdir("/kinopa");
    FS.mount(module.IDBFS || FS.filesystems.IDBFS, {}, "/kinopa");
    await new Promise((resolve, reject) => FS.syncfs(true, (e) => (e ? reject(e) : resolve())));
    replayJournal();
    for (const folder of ["/game", "/game/images", "/game/wave", "/game/window_art"]) FS.mkdir(folder);
    const [files] = await Promise.all([
      Promise.all(downloads),
      document.fonts.load('1em "Kinopa Gothic"'),
    ]);
    gameFiles.forEach((name, i) => FS.writeFile("/game/" + name, files[i]));
    labels.start();
    fit();
    await fetchSounds(false);
    if (ended) return;  // taken over by another tab meanwhile
    running = true;
    if (!api.begin(JAPANESE ? 1 : 0)) {
      running = false;
      return;
    }
    wire();
    showControls();
    drawField();
    showTenBest();
    page.ready = true;
    schedule(0);
    findHall().catch((e) => fail(e.message));
    watchFromAddress().catch((e) => fail(e.message));
  }

  function wire() {
    // The pointer in field pixels, wherever the page has put the canvas.
    const fieldPoint = (event) => {
      const box = canvas.getBoundingClientRect();
      return [(event.clientX - box.left) * canvas.width / box.width,
              (event.clientY - box.top) * canvas.height / box.height];
    };
    const buttonsOf = (b) => (b & 1 ? 1 : 0) | (b & 2 ? 2 : 0) | (b & 4 ? 4 : 0);
    const BUTTON = [1, 4, 2];  // the event's button: left, middle, right
    // A mouse, a pen or a finger alike (the first finger of several). A
    // finger (or a pen that does not hover) is over the field only while it
    // presses: its press moves the pointer there, and its release is judged
    // once a frame has seen that (kinopa_touch_up). The field takes no
    // scroll or zoom from it (touch-action).
    canvas.addEventListener("pointerdown", guarded((e) => {
      if (e.pointerType !== "mouse" && e.isPrimary) api.pointerMove(buttonsOf(e.buttons), ...fieldPoint(e));
    }));
    canvas.addEventListener("pointermove", guarded((e) => {
      if (e.isPrimary) api.pointerMove(buttonsOf(e.buttons), ...fieldPoint(e));
    }));
    canvas.addEventListener("pointerup", guarded((e) => {
      if (!e.isPrimary) return;
      const up = e.pointerType === "mouse" ? api.pointerUp : api.touchUp;
      up(BUTTON[e.button] || 0, ...fieldPoint(e));
    }));
    canvas.addEventListener("contextmenu", (e) => e.preventDefault());
    for (const kind of ["pointerdown", "keydown"]) window.addEventListener(kind, () => audio.gesture(), { capture: true });
    $("gamestart").addEventListener("click", guarded(async () => {
      await fetchSounds(false);
      if (await hallStart()) return;
      api.startClick();
    }));
    $("gameend").addEventListener("click", guarded(() => {
      // Watching, 終了 goes back to the player's game.
      if (api.phase().startsWith("watch")) return endWatching();
      api.endClick();
    }));
    // The sound settings: a window of its own beside the game, never modal,
    // as on the desktop; Tab goes round its controls, Escape is its Cancel.
    $("Command1").addEventListener("click", guarded(() => {
      showSettings();
      openDialog(menu, false);
      menu.querySelector("input").focus();
    }));
    wireSettings();
    $("SoundMenu-Command1").addEventListener("click", guarded(async () => {  // OK
      await fetchSounds(true);
      api.settingsOk();
      closeDialog(menu);
    }));
    const settingsCancel = guarded(() => {
      api.settingsCancel();
      closeDialog(menu);
    });
    $("SoundMenu-Command2").addEventListener("click", settingsCancel);
    menu.addEventListener("keydown", (e) => {
      if (e.key === "Escape") {
        e.preventDefault();
        settingsCancel();
      } else if (e.key === "Tab") {
        const order = [...menu.querySelectorAll("input, button")].filter((c) => !c.disabled);
        const at = order.indexOf(document.activeElement);
        const next = e.shiftKey ? (at <= 0 ? order.length - 1 : -1) : (at === order.length - 1 ? 0 : -1);
        if (next >= 0) {
          e.preventDefault();
          order[next].focus();
        }
      }
    });
    // The dialog moves by its title bar.
    menu.querySelector(".title").addEventListener("pointerdown", (down) => {
      const left = menu.offsetLeft - down.clientX, top = menu.offsetTop - down.clientY;
      const move = (e) => { menu.style.left = left + e.clientX + "px"; menu.style.top = top + e.clientY + "px"; };
      window.addEventListener("pointermove", move);
      window.addEventListener("pointerup", () => window.removeEventListener("pointermove", move), { once: true });
    });
    $("downloadBest").addEventListener("click", guarded(() => {
      const path = api.bestGamePath();
      if (!module.FS.analyzePath(path).exists) {
        window.kinopaHost.messageBox("Kinopa", say("noBest"), false);
        return;
      }
      download(path.slice(path.lastIndexOf("/") + 1), module.FS.readFile(path));
    }));
    // The player's run: watching, the one the watch ended.
    $("downloadRun").addEventListener("click", guarded(() => download("session.kinopa", api.runRecording())));
    // Out of sight the game stands, and what 終了 saves is saved: the tab
    // may be closed, or the page reloaded, any moment after.
    document.addEventListener("visibilitychange", () => {
      if (document.hidden) saveNow();
      audio.visibility();
      holdWhileAway();
    });
    window.addEventListener("pagehide", () => { saveNow(); });
    $("watchFile").addEventListener("click", () => chooseFile(".kinopa", watchFile));
    // A recording dropped on the page is watched.
    window.addEventListener("dragover", (e) => { e.preventDefault(); $("dropping").classList.add("open"); });
    window.addEventListener("dragleave", () => $("dropping").classList.remove("open"));
    window.addEventListener("drop", (e) => {
      e.preventDefault();
      $("dropping").classList.remove("open");
      if (e.dataTransfer.files.length) watchFile(e.dataTransfer.files[0]).catch((x) => fail(x.message));
    });

    // For the tests: what the game shows, and a way in.
    page.stateLine = () => api.stateLine();
    // What a control of the window shows (a drawn label's caption too).
    page.shown = (id) => {
      const c = Number($(id).dataset.control);
      return labels.has(c) ? labels.shown(c) : $(id).textContent;
    };
    page.runRecording = () => api.runRecording();
    page.phase = () => api.phase();
    page.gameRecording = () => api.gameRecording();
    page.watchFile = (name, text) => watchRecording(new TextEncoder().encode(text), name);
    page.audioState = () => audio.state();
    page.fieldPixels = () => {
      drawField();
      return Array.from(context.getImageData(0, 0, canvas.width, canvas.height).data);
    };
    page.readFile = (path) => {
      try { return new TextDecoder().decode(module.FS.readFile(path)); } catch (e) { return null; }
    };
    page.writeFile = (path, text) => module.FS.writeFile(path, text);
    // The game stops here as if killed: nothing more is saved, and files
    // changed now reach the next start as they are.
    page.halt = () => { running = false; };
    page.removeFile = (path) => module.FS.unlink(path);
    page.listFiles = (folder) => {
      try { return module.FS.readdir(folder).filter((name) => name !== "." && name !== ".."); } catch (e) { return null; }
    };
    page.sync = syncStorage;
  }

  begin().catch((e) => fail(e.message));
})();
