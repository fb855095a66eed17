// What the page's tests and the web bench measure inside the page, from
// outside it: probe() goes to puppeteer's page.evaluateOnNewDocument, runs
// before the page's scripts and wraps the module's factory, so the shipped
// page carries none of it. window.kinopaProbe holds the loop's steps (with
// `measure`, each frame step's start and time; with `collectLines` too, the
// state it left), the frames put on the canvas and when the first was, every
// audio node started and stopped on the context's clock (with `measure`,
// each start's delay to the output).
export function probe() {
  const p = {
    measure: false, collectLines: false, frameTimes: [], stepMs: [], lines: [], steps: 0,
    framesDrawn: 0, firstFrameAt: 0, nodes: [], soundDelays: [],
  };
  window.kinopaProbe = p;

  const watch = (module) => {
    const step = module._kinopa_step;
    const framePending = module._kinopa_frame_pending;
    const changes = module._kinopa_field_changes;
    const stateLine = module.cwrap("kinopa_state_line", "string", []);
    module._kinopa_step = (...args) => {
      const began = performance.now();
      const due = step(...args);
      ++p.steps;
      if (p.measure && framePending()) {
        p.frameTimes.push(began);
        p.stepMs.push(performance.now() - began);
        if (p.collectLines) p.lines.push(stateLine());
      }
      return due;
    };
    // The page asks for the rectangles that changed once a new frame is to
    // be drawn.
    module._kinopa_field_changes = (...args) => {
      if (!p.framesDrawn++) p.firstFrameAt = performance.now();
      return changes(...args);
    };
    return module;
  };
  let create;
  Object.defineProperty(window, "createKinopa", {
    configurable: true,
    get: () => create && ((...args) => create(...args).then(watch)),
    set: (factory) => { create = factory; },
  });

  const sounds = new WeakMap();  // each AudioBuffer's number
  const start = AudioBufferSourceNode.prototype.start;
  AudioBufferSourceNode.prototype.start = function (when, offset, duration) {
    const c = this.context;
    if (!sounds.has(this.buffer)) sounds.set(this.buffer, p.nodes.length);
    const node = {
      sound: sounds.get(this.buffer), length: this.buffer.duration, offset, loop: this.loop,
      startedAt: c.currentTime,
    };
    p.nodes.push(node);
    const stop = this.stop;
    this.stop = (...args) => {
      node.stoppedAt ??= c.currentTime;
      return stop.apply(this, args);
    };
    const result = start.call(this, when, offset, duration);
    if (p.measure && c.state === "running" && c.getOutputTimestamp) {
      // When the output will play this moment of the context's time, by its
      // own account: the delay from the rules' event to the speaker.
      const out = c.getOutputTimestamp();
      const quantum = 128 / c.sampleRate;
      const heard = out.performanceTime + (c.currentTime + quantum - out.contextTime) * 1000;
      const delay = heard - performance.now();
      p.soundDelays.push({ mixed: delay - c.outputLatency * 1000, heard: delay });
    }
    return result;
  };
}
