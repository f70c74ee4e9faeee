// The saver's movie player page. The program drives it through window.lumeraPlayer:
// setBackground(css colour), load(absolute movie address), play(), state().
"use strict";

(function () {
    // The engine's fetch() refuses our own URL scheme, so same-scheme addresses are loaded
    // through XMLHttpRequest and handed back as a Response. Addresses made in the page
    // (blob:, data:) go to the engine's fetch(); nothing is fetched from anywhere else.
    const nativeFetch = window.fetch.bind(window);
    function fetchOwn(address, init) {
        return new Promise(function (resolve, reject) {
            const xhr = new XMLHttpRequest();
            xhr.open((init && init.method) || "GET", address.href);
            xhr.responseType = "arraybuffer";
            xhr.onload = function () {
                resolve(new Response(xhr.response, {
                    status: xhr.status || 200,
                    statusText: xhr.statusText || "OK",
                    headers: {
                        "Content-Type": xhr.getResponseHeader("Content-Type") || "application/octet-stream",
                    },
                }));
            };
            xhr.onerror = function () { reject(new TypeError("failed: " + address.href)); };
            xhr.send();
        });
    }
    window.fetch = function (resource, init) {
        const address = new URL(resource instanceof Request ? resource.url : String(resource),
                                document.baseURI);
        if (address.protocol === location.protocol)
            return fetchOwn(address, init);
        if (address.protocol === "blob:" || address.protocol === "data:")
            return nativeFetch(resource, init);
        return Promise.reject(new TypeError("not fetched: " + address.href));
    };

    window.RufflePlayer = window.RufflePlayer || {};
    window.RufflePlayer.config = {
        autoplay: "on",
        unmuteOverlay: "hidden",
        splashScreen: false,
        contextMenu: "off",
        letterbox: "on",
        backgroundColor: "#000000",
        warnOnUnsupportedContent: false,
        showSwfDownload: false,
        openUrlMode: "deny",
        allowNetworking: "none",
        allowFullscreen: false,
        logLevel: "error",
        // The movies are simple vector drawings: the 2D canvas draws them, without first
        // trying WebGPU and WebGL where the engine turns them down, each with an error on
        // stderr.
        preferredRenderer: "canvas",
    };

    const state = { background: "#000000", movie: "", playing: false, loaded: false, error: "" };
    let player = null;

    function stage() { return document.getElementById("stage"); }

    function applyBackground() {
        document.documentElement.style.background = state.background;
        document.body.style.background = state.background;
        window.RufflePlayer.config.backgroundColor = state.background;
    }

    function dropPlayer() {
        if (player) {
            player.remove();
            player = null;
        }
    }

    // A movie that cannot be played leaves the plain background in view.
    function failed(reason) {
        state.error = String(reason);
        state.playing = false;
        dropPlayer();
    }

    function load(address) {
        dropPlayer();
        state.movie = address;
        state.loaded = false;
        state.error = "";
        if (!address || !window.RufflePlayer.newest)
            return;
        player = window.RufflePlayer.newest().createPlayer();
        player.addEventListener("loadedmetadata", function () { state.loaded = true; });
        player.addEventListener("error", function (event) { failed(event.error || "error"); });
        stage().appendChild(player);
        try {
            const started = player.ruffle().load({ url: address, backgroundColor: state.background });
            if (started && started.catch)
                started.catch(failed);
        } catch (e) {
            failed(e);
        }
    }

    window.lumeraPlayer = {
        setBackground: function (colour) {
            state.background = colour;
            applyBackground();
        },
        load: load,
        play: function () {
            state.playing = true;
            if (player)
                player.ruffle().resume();
        },
        state: function () { return JSON.stringify(state); },
    };
})();
