# The core libraries must never reach Qt Widgets: views depend on the core,
# never the other way round.
function(velmora_forbid_widgets)
    foreach(target IN LISTS ARGN)
        get_target_property(libs ${target} LINK_LIBRARIES)
        if(libs AND ("Qt6::Widgets" IN_LIST libs OR "Qt::Widgets" IN_LIST libs OR "velmora_ui" IN_LIST libs))
            message(FATAL_ERROR "${target} must not link Qt Widgets")
        endif()
    endforeach()
endfunction()

# Collects `target` and every target it links, directly or through others.
function(_velmora_linked_targets target out)
    set(seen ${${out}})
    if(target IN_LIST seen OR NOT TARGET ${target})
        return()
    endif()
    list(APPEND seen ${target})
    get_target_property(libs ${target} LINK_LIBRARIES)
    if(libs)
        foreach(lib IN LISTS libs)
            _velmora_linked_targets(${lib} seen)
        endforeach()
    endif()
    set(${out} ${seen} PARENT_SCOPE)
endfunction()

# The views and their models work on the platform's interfaces only; which
# implementation runs (the simulated desktop or this machine) is chosen by the
# composition root alone.
function(velmora_forbid_platform_implementations)
    foreach(target IN LISTS ARGN)
        set(linked "")
        _velmora_linked_targets(${target} linked)
        foreach(implementation velmora_sim velmora_linux velmora_simview velmora_app)
            if(implementation IN_LIST linked)
                message(FATAL_ERROR "${target} must not link ${implementation}: only velmora_app "
                    "(the composition root) picks the platform implementations")
            endif()
        endforeach()
    endforeach()
endfunction()
