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
